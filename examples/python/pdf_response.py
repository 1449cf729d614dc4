#!/usr/bin/env python3
"""Serving a report over HTTP: the PDF comes from PDFStream() as bytes and
goes straight into the response body, without a file on disk.

    PYTHONPATH=build/python python3 examples/python/pdf_response.py   # then open http://localhost:8000/

An engine belongs to the thread that created it, so the server below handles
one request at a time on the main thread; a threaded server would give each
worker thread its own process instead.
"""
from wsgiref.simple_server import make_server

import orvreport


def report_pdf(customer):
    with orvreport.Engine() as r:
        r.PDFTitle = f"Statement for {customer}"
        r.AddText("greeting", f"Statement for {customer}", 1, 1, 6.5, 0, "Arial", 20, 0, 0xFFFFFF, "B", 0, 0, 0, "")
        r.AddText("body", "Nothing is outstanding. Thank you for your custom.", 1, 1.6, 6.5, 0, "Arial", 11, 0,
                  0xFFFFFF, "", 0, 0, 0, "")
        return r.PDFStream()


def application(environ, start_response):
    """A WSGI application: GET /?customer=NAME returns that customer's statement."""
    from urllib.parse import parse_qs

    customer = parse_qs(environ.get("QUERY_STRING", "")).get("customer", ["Harbour Café"])[0]
    body = report_pdf(customer)
    start_response("200 OK", [("Content-Type", "application/pdf"), ("Content-Length", str(len(body))),
                              ("Content-Disposition", 'inline; filename="statement.pdf"')])
    return [body]


if __name__ == "__main__":
    with make_server("localhost", 8000, application) as server:
        print("Serving statements on http://localhost:8000/?customer=NAME")
        server.serve_forever()
