#!/usr/bin/env python3
"""Timings of the orvreport Python module: a late-bound property read and
write, a method call with positional and keyword arguments, and the invoice
example end to end. Measures CPU time,
so a busy machine inflates the figures less than wall time would; build
with -DCMAKE_BUILD_TYPE=Release for figures worth comparing.

    PYTHONPATH=build/python python3 bench/python/bench_module.py
"""
import sys
import tempfile
import time
from pathlib import Path

import orvreport

ROUNDS = 200_000


def per_operation(statement, engine, rounds=ROUNDS):
    code = compile(f"for _ in range({rounds}): {statement}", "bench", "exec")
    best = float("inf")
    for _ in range(5):
        start = time.process_time()
        exec(code, {"r": engine})
        best = min(best, time.process_time() - start)
    return best / rounds


def main():
    engine = orvreport.Engine()
    empty_loop = per_operation("pass", engine)
    for label, statement, rounds in (
        ("property read (r.PageWidth)", "r.PageWidth", ROUNDS),
        ("property read (r.PDFTitle)", "r.PDFTitle", ROUNDS),
        ("property write (r.PDFTitle = ...)", "r.PDFTitle = 'Q3'", ROUNDS),
        # ReportInfo(0) is the page count: the time is the call's own.
        ("method call (r.ReportInfo(0))", "r.ReportInfo(0)", ROUNDS // 10),
        ("keyword call (r.ReportInfo(nParameter=0))", "r.ReportInfo(nParameter=0)", ROUNDS // 10),
    ):
        seconds = per_operation(statement, engine, rounds) - empty_loop
        print(f"{label:42s} {seconds * 1e9:8.0f} ns")
    engine.close()

    sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "examples" / "python"))
    import invoice

    with tempfile.TemporaryDirectory() as directory:
        invoice.main(directory)  # fonts and Qt warmed up
        best_cpu, best_wall = float("inf"), float("inf")
        for _ in range(3):
            cpu, wall = time.process_time(), time.perf_counter()
            invoice.main(directory)
            best_cpu = min(best_cpu, time.process_time() - cpu)
            best_wall = min(best_wall, time.perf_counter() - wall)
    print(f"{'invoice example':42s} {best_cpu:8.3f} s CPU, {best_wall:.3f} s wall")


if __name__ == "__main__":
    main()
