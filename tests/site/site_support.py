"""What the site's tests share: the programs under test, reports to feed them, and the site's
files read back strictly."""

import os
import re
import subprocess
import xml.etree.ElementTree as ElementTree
from pathlib import Path

REPORT_TOOL = Path(os.environ["RIMTRACE_REPORT"])
GENERATE_REPORTS = Path(os.environ["RIMTRACE_GENERATE_REPORTS"])
SOURCE_DIR = Path(os.environ["RIMTRACE_SOURCE_DIR"])
WHOLE_TEST = (SOURCE_DIR / "tests/unit/data/whole_test.pts").read_bytes()

# Every name the site gives a page: a readable part, a hash, ".html".
PAGE_NAME = re.compile(rb"^(boards|reports)/[a-z0-9_-]{0,40}-[0-9a-f]{16}\.html$")


def report_with(serial: bytes, date: bytes = None) -> bytes:
    """The whole test's report (as the program wrote it) with another serial number or date."""
    lines = WHOLE_TEST.split(b"\r\n")
    assert lines[2].startswith(b"# serial number: ") and lines[4].startswith(b"# date and time: ")
    lines[2] = b"# serial number: " + serial
    if date is not None:
        lines[4] = b"# date and time: " + date
    return b"\r\n".join(lines)


def generate(folder: Path, count: int, first: int = 0, boards: int = 0):
    args = [str(GENERATE_REPORTS), str(folder), str(count), "--first", str(first)]
    subprocess.run(args + (["--boards", str(boards)] if boards else []), check=True)


def run_site(output, *inputs):
    """rimtrace-report site INPUTS -o OUTPUT: (exit code, standard output, standard error)."""
    run = subprocess.run([str(REPORT_TOOL), "site", *map(str, inputs), "-o", str(output)],
                         capture_output=True, timeout=600)
    return run.returncode, run.stdout.decode(), run.stderr.decode()


def site_files(site: Path):
    """Every file under the site, as paths relative to it (bytes, '/')."""
    found = []
    for top, _, files in os.walk(bytes(site)):
        for name in files:
            found.append(os.path.relpath(os.path.join(top, name), bytes(site)))
    return sorted(found)


def parse_page(path) -> ElementTree.Element:
    """A page read by a strict XML parser: it fails on anything not well-formed."""
    return ElementTree.parse(path).getroot()


def text_of(element) -> str:
    return "".join(element.itertext())


def index_rows(site: Path):
    """The index's rows as dictionaries: the row's data attributes, the board and report links,
    the report's file (the report link's title)."""
    root = parse_page(site / "index.html")
    rows = []
    for tr in root.iter("tr"):
        if "data-serial" not in tr.attrib:
            continue
        links = list(tr.iter("a"))
        cells = [text_of(td) for td in tr.findall("td")]
        rows.append(dict(tr.attrib, board=links[0].get("href"), report=links[-1].get("href"),
                         file=links[-1].get("title"), cells=cells))
    return rows
