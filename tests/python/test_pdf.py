from conftest import pdf_text, qpdf_check
from test_attributes import add_text


def test_pdf_stream_returns_bytes_qpdf_accepts(engine, tmp_path):
    engine.PDFTitle = "Streamed"
    add_text(engine, "t", "Streamed page one")
    engine.NewPage()
    add_text(engine, "t", "Streamed page two")
    data = engine.PDFStream()
    assert isinstance(data, bytes) and data.startswith(b"%PDF-")
    path = tmp_path / "stream.pdf"
    path.write_bytes(data)
    qpdf_check(path)
    text = pdf_text(path)
    assert "Streamed page one" in text and "Streamed page two" in text


def test_pdf_stream_of_a_page_range(engine, tmp_path):
    for n in (1, 2, 3):
        if n > 1:
            engine.NewPage()
        add_text(engine, "t", f"Range page {n}")
    path = tmp_path / "range.pdf"
    path.write_bytes(engine.PDFStream(nStartPage=2, nEndPage=2))
    qpdf_check(path)
    text = pdf_text(path)
    assert "Range page 2" in text
    assert "Range page 1" not in text and "Range page 3" not in text
