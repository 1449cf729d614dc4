import os
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

import orvreport

EXAMPLES = Path(os.environ.get("ORV_EXAMPLES_DIR", Path(__file__).resolve().parents[2] / "examples" / "python"))


@pytest.fixture
def engine():
    r = orvreport.Engine()
    yield r
    r.close()


def pdf_text(path):
    """The text pdftotext reads from a PDF, layout kept."""
    return subprocess.run(["pdftotext", "-layout", str(path), "-"], check=True, capture_output=True, text=True).stdout


def qpdf_check(path):
    result = subprocess.run(["qpdf", "--check", str(path)], capture_output=True, text=True)
    assert result.returncode == 0, result.stdout + result.stderr
    return result.stdout


def run_python(code, **kwargs):
    """Runs code in a fresh interpreter with this one's environment."""
    return subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, timeout=120, **kwargs)
