#!/usr/bin/python3
"""The end-to-end peer: the report of the end-to-end benchmark written by
ReportLab's canvas. Each page holds LINES text lines of 10 pt Helvetica of
about 70 characters and 20 shapes (ten lines, five rectangles, five
ellipses); the file is compressed. Prints the seconds the drawing and the
writing took, without the interpreter's start.

    /usr/bin/python3 bench/reportlab_report.py PAGES LINES OUT.pdf
"""
import sys
import time

from reportlab.pdfgen import canvas


def line_text(page, line):
    return (f"Page {page}, line {line}: quarterly figures 12,345.67 "
            "for the caf\u00e9 and the r\u00e9sum\u00e9")


def main():
    pages, lines, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    start = time.perf_counter()
    pdf = canvas.Canvas(path, pagesize=(612, 792), pageCompression=1)
    for page in range(1, pages + 1):
        pdf.setFont("Helvetica", 10)
        pdf.setFillColorRGB(0.125, 0.125, 0.125)
        for line in range(lines):
            pdf.drawString(72, 756 - line * 12, line_text(page, line))
        pdf.setStrokeColorRGB(0.5, 0.5, 0.5)
        pdf.setLineWidth(0.5)
        for i in range(10):
            pdf.line(72, 40 + i * 2.5, 540, 40 + i * 2.5)
        for i in range(5):
            pdf.rect(72 + i * 90, 10, 80, 20)
            pdf.ellipse(72 + i * 90, 10, 152 + i * 90, 30)
        pdf.showPage()
    pdf.save()
    print(f"seconds {time.perf_counter() - start:.6f}")


if __name__ == "__main__":
    main()
