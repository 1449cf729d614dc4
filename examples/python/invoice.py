#!/usr/bin/env python3
"""A two-page invoice: a logo, a table of items on a grid, a barcode, a
chart of the year's orders and page numbers, written to invoice.PDF.

    PYTHONPATH=build/python python3 examples/python/invoice.py [OUTPUT-DIRECTORY]
"""
import struct
import sys
import tempfile
import zlib
from decimal import Decimal
from pathlib import Path

import orvreport

WHITE, BLACK, GREY, BLUE, LIGHT = 0xFFFFFF, 0x000000, 0x808080, 0xA05000, 0xF5EDE6  # colours are 0xBBGGRR
ITEMS = [
    ("Paper, A4, 80 g, box of 2500", 4, Decimal("21.90")),
    ("Toner cartridge, black", 2, Decimal("64.50")),
    ("Desk lamp, LED", 1, Decimal("39.00")),
    ("Binder clips, 50 pieces", 6, Decimal("3.25")),
    ("Label printer tape, 12 mm", 5, Decimal("11.40")),
] * 6  # thirty lines: the table runs onto the second page
ROWS_PER_PAGE = 20
CODE_128_B = 10  # AddBarCode's symbology: Code 128, code set B (digits, letters and "-")


def write_logo(path):
    """A 64 x 64 PNG: a blue disc with a white bar, written without any imaging library."""
    rows = []
    for y in range(64):
        row = bytearray([0])
        for x in range(64):
            inside = (x - 31.5) ** 2 + (y - 31.5) ** 2 < 30**2
            bar = 26 <= y < 38 and 14 <= x < 50
            row += bytes((255, 255, 255)) if bar or not inside else bytes((0, 80, 160))
        rows.append(bytes(row))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", 64, 64, 8, 2, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows)))
                     + chunk(b"IEND", b""))


def text(r, name, value, x, y, width, size=10, style="", colour=BLACK, align=0):
    r.AddText(name, value, x, y, width, 0, "Arial", size, colour, WHITE, style, 0, 0, align, "")


def page_footer(r):
    r.AddReportField("page", "'Page ' + TRANSFORM(_PAGENO) + ' of ' + TRANSFORM(_PAGETOTAL)",
                     7.5, 10.6, 0, 0.3, "", "", "Arial", 9, GREY, WHITE, "", 0, 0, 1, "")


def item_table(r, top, items, first_number):
    height = Decimal("0.25") * (len(items) + 1)
    # One grid column gives the rows; the columns of unequal width are lines.
    r.AddGrid("items", Decimal("0.75"), Decimal(str(top)), Decimal("7"), height, 1, len(items) + 1,
              nPenColor=GREY, nFillColor=LIGHT)
    for x in (4.75, 5.75, 6.75):
        r.AddLine("column", x, top, 0, float(height), GREY, 1)
    # Right-aligned text is placed by its right edge.
    for x, width, title, align in ((0.85, 3.8, "Item", 0), (5.65, 0.8, "Qty", 1), (6.65, 0.8, "Price", 1),
                                   (7.65, 0.8, "Amount", 1)):
        text(r, "head", title, x, top + 0.2, width, 10, "B", align=align)
    for row, (number, (description, quantity, price)) in enumerate(enumerate(items, first_number), 1):
        y = top + 0.2 + 0.25 * row
        text(r, "item", f"{number}. {description}", 0.85, y, 3.8)
        text(r, "qty", str(quantity), 5.65, y, 0.8, align=1)
        text(r, "price", f"{price:.2f}", 6.65, y, 0.8, align=1)
        text(r, "amount", f"{price * quantity:.2f}", 7.65, y, 0.8, align=1)


def build_invoice(r, logo):
    r.PDFTitle = "Invoice 2026-0412"
    r.PDFAuthor = "Orv Office Supplies"
    r.SetPageByPaperSize(1)  # Letter
    r.AddPicture("logo", str(logo), 0.75, 0.6, 0.9, 0.9, 1, 0)
    text(r, "company", "Orv Office Supplies", 1.85, 0.95, 4, 18, "B", BLUE)
    text(r, "address", "12 Harbour Road, Port Orv", 1.85, 1.3, 4, 10, colour=GREY)
    text(r, "title", "INVOICE 2026-0412", 7.75, 0.95, 3, 16, "B", align=1)
    text(r, "date", "9 December 2026", 7.75, 1.3, 3, 10, align=1)
    r.AddBarCode("number", "2026-0412", CODE_128_B, 5.25, 1.55, 2.5, 0.5, BLACK, 0)  # the invoice number
    text(r, "bill", "Bill to: Harbour Café, 3 Quay Street, Port Orv", 0.75, 2.45, 6, 10)
    item_table(r, 2.7, ITEMS[:ROWS_PER_PAGE], 1)
    page_footer(r)

    r.NewPage()
    item_table(r, 0.75, ITEMS[ROWS_PER_PAGE:], ROWS_PER_PAGE + 1)
    total = sum(price * quantity for _, quantity, price in ITEMS)
    y = 0.95 + 0.25 * (len(ITEMS) - ROWS_PER_PAGE + 1) + 0.2
    text(r, "total", f"Total due: {total:.2f} EUR", 7.65, y, 3, 12, "B", align=1)
    r.AddChart("orders", 1, 0.75, y + 0.6, 7, 3.2)  # bars
    r.ChartTitle = "Your orders in 2026"
    r.ChartSeriesTitle = "Orders"
    for month, amount in enumerate((310, 280, 455, 390, 520, 610), 1):
        r.ChartAddXYData(amount, 0, f"M{month}", BLUE)
    page_footer(r)


def main(directory):
    with tempfile.TemporaryDirectory() as scratch, orvreport.Engine() as r:
        logo = Path(scratch) / "logo.png"
        write_logo(logo)
        build_invoice(r, logo)
        status, written = r.SaveToPDF(str(Path(directory) / "invoice.PDF"))
        if status != 0:
            raise RuntimeError(f"the invoice was not written (status {status})")
    return written


if __name__ == "__main__":
    print(main(sys.argv[1] if len(sys.argv) > 1 else "."))
