import importlib.util
import io
import subprocess

from conftest import EXAMPLES, pdf_text, qpdf_check


def load_example(name):
    module_spec = importlib.util.spec_from_file_location(name, EXAMPLES / f"{name}.py")
    module = importlib.util.module_from_spec(module_spec)
    module_spec.loader.exec_module(module)
    return module


def test_invoice_writes_a_two_page_pdf_with_its_text(tmp_path):
    written = load_example("invoice").main(tmp_path)
    assert written == str(tmp_path / "invoice.PDF")
    qpdf_check(written)
    pages = pdf_text(written).split("\f")
    assert "INVOICE 2026-0412" in pages[0] and "Bill to: Harbour Café" in pages[0]
    assert "1. Paper, A4, 80 g, box of 2500" in pages[0] and "Page 1 of 2" in pages[0]
    assert "21. Paper, A4, 80 g, box of 2500" in pages[1] and "Page 2 of 2" in pages[1]
    assert "Total due: 1992.60 EUR" in pages[1]
    assert len([p for p in pages if p.strip()]) == 2
    # The barcode carries the invoice number as Code 128, read from the page as printed.
    subprocess.run(["pdftoppm", "-r", "150", "-f", "1", "-l", "1", "-png", written, str(tmp_path / "page")], check=True)
    read = subprocess.run(["ZXingReader", str(tmp_path / "page-1.png")], capture_output=True, text=True, check=True)
    assert 'Text:       "2026-0412"' in read.stdout and "Format:     Code128" in read.stdout, read.stdout


def test_pdf_response_serves_the_stream_as_the_body(tmp_path):
    app = load_example("pdf_response").application
    started = {}

    def start_response(status, headers):
        started["status"], started["headers"] = status, dict(headers)

    body = b"".join(app({"QUERY_STRING": "customer=Quay+Bakery", "wsgi.input": io.BytesIO()}, start_response))
    assert started["status"] == "200 OK"
    assert started["headers"]["Content-Type"] == "application/pdf"
    assert int(started["headers"]["Content-Length"]) == len(body)
    path = tmp_path / "response.pdf"
    path.write_bytes(body)
    qpdf_check(path)
    assert "Statement for Quay Bakery" in pdf_text(path)
