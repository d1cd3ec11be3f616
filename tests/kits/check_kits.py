#!/usr/bin/env python3
"""Checks the two kits the package target built, without running anything in them:

    check_kits.py KITS_DIR VERSION SOURCE_DIR

* both zip files are there under the version's names;
* the field kit holds exactly the programs and texts a technician gets, and none of the
  simulated parts (the board, the driver window, the outbox, the test programs);
* the demo kit holds the same files, byte for byte, and the simulated parts with demo.bat;
* the texts are Windows text (CR LF only), the shipped copies of the changelog, the licence and
  demo.bat are their sources with nothing replaced, the guides name the version, and the
  changelog's newest release is this version.

Prints one line per check ("ok" or "FAIL" with what was found); exit code 0 when all hold.
"""
import re
import sys
import zipfile
from pathlib import Path

FIELD_FILES = {"rimtrace.exe", "rimtrace-report.exe", "README.txt", "CHANGELOG.txt",
               "LICENSE.txt"}
DEMO_ONLY_FILES = {"TAVLO.dll", "board50_standin.exe", "Mapi32.dll", "demo.bat", "DEMO.txt"}
# What must never reach a technician's computer beside the real board's software.
SIMULATED_PARTS = {"tavlo.dll", "mapi32.dll", "board50_standin.exe", "rtdriver.exe",
                   "sim_tests.exe"}
TEXTS = {"README.txt", "CHANGELOG.txt", "LICENSE.txt", "DEMO.txt", "demo.bat"}
# Shipped text -> its source in the repository, shipped unchanged but for the line ends.
VERBATIM = {"CHANGELOG.txt": "CHANGELOG.md", "LICENSE.txt": "LICENSE",
            "demo.bat": "packaging/demo.bat"}
RELEASE_HEADING = re.compile(r"## \[(\d+\.\d+\.\d+)\] - (\d{4}-\d{2}-\d{2})")


class Checks:
    def __init__(self):
        self.failures = 0

    def expect(self, holds, what, found=""):
        print(f"ok    {what}" if holds else f"FAIL  {what}\n      {found}")
        if not holds:
            self.failures += 1


def contents(path):
    with zipfile.ZipFile(path) as kit:
        return {info.filename: kit.read(info) for info in kit.infolist()}


def check_field_kit(checks, field):
    names = set(field)
    checks.expect(names == FIELD_FILES, "field kit: exactly the programs and texts",
                  f"missing {sorted(FIELD_FILES - names)}, unexpected {sorted(names - FIELD_FILES)}")
    simulated = sorted(n for n in names if Path(n).name.lower() in SIMULATED_PARTS)
    checks.expect(not simulated, "field kit: no simulated part", f"found {simulated}")
    dlls = sorted(n for n in names if n.lower().endswith(".dll"))
    checks.expect(not dlls, "field kit: no DLL (TAVLO.dll is the board maker's)", f"found {dlls}")


def check_demo_kit(checks, field, demo):
    wanted = FIELD_FILES | DEMO_ONLY_FILES
    names = set(demo)
    checks.expect(names == wanted, "demo kit: the field kit's files and the simulated parts",
                  f"missing {sorted(wanted - names)}, unexpected {sorted(names - wanted)}")
    differing = sorted(n for n in FIELD_FILES & names if n in field and demo[n] != field[n])
    checks.expect(not differing, "demo kit: the field kit's files are the very same",
                  f"differ: {differing}")


def check_texts(checks, kit_name, files, version, source_dir):
    for name in sorted(TEXTS & set(files)):
        data = files[name]
        bare = data.replace(b"\r\n", b"").count(b"\n") + data.replace(b"\r\n", b"").count(b"\r")
        checks.expect(data.endswith(b"\r\n") and bare == 0, f"{kit_name}: {name} has CR LF lines",
                      f"{bare} bare line ends")
        if name in VERBATIM:
            source = (source_dir / VERBATIM[name]).read_bytes().replace(b"\n", b"\r\n")
            checks.expect(data == source, f"{kit_name}: {name} is {VERBATIM[name]} as written",
                          "its text differs from the source's")
    for name in sorted({"README.txt", "DEMO.txt"} & set(files)):
        checks.expect(f"rimtrace {version}".encode() in files[name],
                      f"{kit_name}: {name} names rimtrace {version}")


def check_changelog(checks, files, version):
    text = files.get("CHANGELOG.txt", b"").decode("utf-8", "replace")
    releases = [m.groups() for m in RELEASE_HEADING.finditer(text)]
    newest = releases[0][0] if releases else None
    checks.expect(newest == version, f"CHANGELOG.txt: the newest release is {version}",
                  f"it is {newest}")
    numbers = [tuple(int(part) for part in number.split(".")) for number, _ in releases]
    dates = [date for _, date in releases]
    checks.expect(numbers == sorted(numbers, reverse=True) and dates == sorted(dates, reverse=True),
                  "CHANGELOG.txt: releases newest first", f"found {releases}")


def main():
    if len(sys.argv) != 4:
        raise SystemExit("usage: check_kits.py KITS_DIR VERSION SOURCE_DIR")
    kits_dir, version, source_dir = Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3])
    checks = Checks()
    field_zip = kits_dir / f"rimtrace-{version}-win64.zip"
    demo_zip = kits_dir / f"rimtrace-{version}-win64-demo.zip"
    for path in (field_zip, demo_zip):
        checks.expect(path.is_file(), f"{path.name} was built", f"no {path}")
    if checks.failures:
        return 1
    field, demo = contents(field_zip), contents(demo_zip)
    check_field_kit(checks, field)
    check_demo_kit(checks, field, demo)
    check_texts(checks, "field kit", field, version, source_dir)
    check_texts(checks, "demo kit", demo, version, source_dir)
    check_changelog(checks, field, version)
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
