#!/usr/bin/env python3
"""Evaluates the "#?" checks of an end-to-end scenario against the files a run left behind.

    check_scenario.py SCENARIO WORK_DIR

Prints one line per check and exits 1 when any fails (the check language is described in
tests/e2e/README.md). Standard library only.
"""
import functools
import json
import re
import shlex
import struct
import subprocess
import sys
from pathlib import Path

JOURNAL = "journal.txt"
REPORT_TOOL = "rimtrace-report.exe"
REPORT_TOOL_LIMIT = 120
STATE = "TAVLO.state"
OUTBOX = "outbox"


class CheckFailed(Exception):
    pass


def read_lines(path):
    try:
        return path.read_bytes().decode("utf-8", "replace").splitlines()
    except OSError as error:
        raise CheckFailed(f"cannot read {path}: {error.strerror}")


def expect_int(text, what):
    try:
        return int(text, 0)
    except ValueError:
        raise CheckFailed(f"{what} must be a number, got {text!r}")


def unquote(value):
    """The bytes of an outbox string field, undoing its escapes; None for null."""
    if value == "null":
        return None
    if len(value) < 2 or value[0] != '"' or value[-1] != '"':
        raise CheckFailed(f"not a quoted field: {value!r}")
    out = bytearray()
    text = value[1:-1]
    i = 0
    simple = {"\\": b"\\", '"': b'"', "n": b"\n", "r": b"\r", "t": b"\t"}
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            if nxt in simple:
                out += simple[nxt]
                i += 2
                continue
            if nxt == "x":
                out.append(int(text[i + 2:i + 4], 16))
                i += 4
                continue
        out += c.encode("latin-1")
        i += 1
    return bytes(out)


class Run:
    def __init__(self, work):
        self.work = work
        self.report_path = None

    def path(self, name):
        path = Path(name)
        return path if path.is_absolute() else self.work / path

    # Lines of any text file of the run.
    def lines_has(self, block, name, *words):
        line = " ".join(words)
        if line not in read_lines(self.path(name)):
            raise CheckFailed(f"no line {line!r} in {name}")

    def lines_lacks(self, block, name, *words):
        prefix = " ".join(words)
        found = [l for l in read_lines(self.path(name)) if l.startswith(prefix)]
        if found:
            raise CheckFailed(f"{name} has {found[0]!r}")

    def lines_order(self, block, name):
        lines = read_lines(self.path(name))
        at = 0
        for kind, wanted in block:
            while at < len(lines) and not matches(kind, wanted, lines[at]):
                at += 1
            if at == len(lines):
                raise CheckFailed(f"{name}: {wanted!r} not found in order")
            at += 1

    def lines_ends(self, block, name):
        lines = read_lines(self.path(name))
        tail = lines[len(lines) - len(block):] if len(block) <= len(lines) else None
        if tail is None or not all(matches(k, w, l) for (k, w), l in zip(block, tail)):
            shown = "\n      ".join(lines[-len(block):])
            raise CheckFailed(f"{name} does not end with the lines given; it ends\n      {shown}")

    def lines_count(self, block, name, count, *words):
        prefix = " ".join(words)
        found = sum(1 for l in read_lines(self.path(name)) if l.startswith(prefix))
        if found != expect_int(count, "count"):
            raise CheckFailed(f"{found} lines of {name} start with {prefix!r}, expected {count}")

    # Files.
    def file_exists(self, block, name):
        # A name with "*" or "?" holds when exactly one file matches it.
        if any(c in name for c in "*?"):
            found = [p for p in self.work.glob(name) if p.is_file()]
            if len(found) != 1:
                raise CheckFailed(f"{len(found)} files match {name}, expected 1")
        elif not self.path(name).is_file():
            raise CheckFailed(f"{name} does not exist")

    def file_absent(self, block, name):
        if self.path(name).exists():
            raise CheckFailed(f"{name} exists")

    # The board's state file.
    def state_values(self):
        values = {}
        for line in read_lines(self.path(STATE)):
            if "=" in line and not line.lstrip().startswith("#"):
                key, value = line.split("=", 1)
                values[key.strip()] = value.strip()
        return values

    def state(self, block, key, *words):
        value = " ".join(words)
        actual = self.state_values().get(key)
        if actual is None:
            raise CheckFailed(f"no {key} in {STATE}")
        if actual.lower() != value.lower() and not same_number(actual, value):
            raise CheckFailed(f"{key}={actual}, expected {value}")

    def state_absent(self, block, key):
        if key in self.state_values():
            raise CheckFailed(f"{STATE} has {key}")

    def state_points(self, block, key, count):
        actual = self.state_values().get(key)
        if actual is None:
            raise CheckFailed(f"no {key} in {STATE}")
        points = actual.split()
        if len(points) != expect_int(count, "count"):
            raise CheckFailed(f"{key} has {len(points)} points, expected {count}")

    # The report.
    def report(self, block, name):
        self.report_path = self.path(name)
        if not self.report_path.is_file():
            raise CheckFailed(f"{name} does not exist")

    def report_lines(self):
        if self.report_path is None:
            raise CheckFailed("no '#? report FILE' before this check")
        return self.report_path.read_bytes().decode("latin-1").split("\r\n")

    def report_crlf(self, block):
        data = self.report_lines()
        if data[-1] != "" or any("\n" in line or "\r" in line for line in data):
            raise CheckFailed("a line of the report does not end with CR LF")

    def report_line(self, block, line):
        if line not in self.report_lines():
            raise CheckFailed(f"no line {line!r} in the report")

    def report_follows(self, block, label, *following):
        lines = self.report_lines()
        at = index_of(lines, label)
        actual = lines[at + 1:at + 1 + len(following)]
        if actual != list(following):
            raise CheckFailed(f"after {label!r}: {actual}, expected {list(following)}")

    def report_section(self, block, label, count):
        lines = self.report_lines()
        at = index_of(lines, label)
        wanted = expect_int(count, "count")
        if at + 1 >= len(lines) or lines[at + 1] != str(wanted):
            shown = lines[at + 1] if at + 1 < len(lines) else "the end"
            raise CheckFailed(f"{label!r} is followed by {shown!r}, expected the count {wanted}")
        points = lines[at + 2:at + 2 + wanted]
        bad = [p for p in points if not re.fullmatch(r"-?\d+,-?\d+", p)]
        if len(points) != wanted or bad:
            raise CheckFailed(f"{label!r}: expected {wanted} x,y lines, found {points[:3]}...")
        after = lines[at + 2 + wanted] if at + 2 + wanted < len(lines) else ""
        if after and not after.startswith("# "):
            raise CheckFailed(f"{label!r} has more than {wanted} points ({after!r} follows)")

    # The support side's reader, rimtrace-report.exe, run under Wine on the report.
    def report_tool(self, *args):
        command = ["wine", str(self.work / REPORT_TOOL), *args]
        try:
            done = subprocess.run(command, cwd=self.work, capture_output=True,
                                  timeout=REPORT_TOOL_LIMIT)
        except subprocess.TimeoutExpired:
            raise CheckFailed(f"{REPORT_TOOL} {' '.join(args)} did not end in {REPORT_TOOL_LIMIT} s")
        return done.returncode, done.stdout.decode("utf-8", "replace").replace("\r\n", "\n")

    def report_tool_check(self, block, name):
        code, out = self.report_tool("check", name)
        if code != 0 or out != f"{name}: ok\n":
            shown = out.rstrip().replace("\n", "\n      ")
            raise CheckFailed(f"{REPORT_TOOL} check {name} exited with {code}:\n      {shown}")

    def report_tool_summary(self, block, name, field, value):
        """FIELD of the report's summary row (JSON, dotted: edges.left.verdict) is VALUE."""
        code, out = self.report_tool("summary", "--json", name)
        try:
            actual = json.loads(out)[0]
            for key in field.split("."):
                actual = actual[key]
        except (ValueError, LookupError):
            raise CheckFailed(f"{REPORT_TOOL} summary --json {name} (exit {code}) has no {field}:"
                              f" {out[:200]!r}")
        text = json.dumps(actual) if not isinstance(actual, str) else actual
        if text != value:
            raise CheckFailed(f"{field} of {name} is {text}, expected {value}")

    # The outbox.
    def messages(self):
        return sorted(self.path(OUTBOX).glob("message-*.txt"))

    def message_fields(self, number):
        records = self.messages()
        index = expect_int(number, "message number")
        if not 1 <= index <= len(records):
            raise CheckFailed(f"no message {index} in the outbox ({len(records)} there)")
        fields = {}
        for line in read_lines(records[index - 1]):
            key, _, value = line.partition("=")
            fields[key] = value
        return fields

    def outbox_messages(self, block, count):
        found = len(self.messages())
        if found != expect_int(count, "count"):
            raise CheckFailed(f"{found} messages in the outbox, expected {count}")

    def outbox_field(self, block, number, key, *words):
        value = " ".join(words)
        actual = self.message_fields(number).get(key)
        if actual is not None and actual.startswith('"'):
            actual = unquote(actual).decode("latin-1")
        if actual != value:
            raise CheckFailed(f"message {number} {key}={actual}, expected {value}")

    def outbox_field_matches(self, block, number, key, pattern):
        actual = self.message_fields(number).get(key)
        if actual is not None and actual.startswith('"'):
            actual = unquote(actual).decode("latin-1")
        if actual is None or not re.fullmatch(pattern, actual):
            raise CheckFailed(f"message {number} {key}={actual}, expected to match {pattern!r}")

    def outbox_body_line(self, block, number, line_number, text):
        body = unquote(self.message_fields(number).get("body", "null"))
        if body is None:
            raise CheckFailed(f"message {number} has no body")
        lines = body.decode("latin-1").split("\n")
        index = expect_int(line_number, "line number")
        actual = lines[index - 1] if 1 <= index <= len(lines) else None
        if actual != text:
            raise CheckFailed(f"body line {index} is {actual!r}, expected {text!r}")

    # Screenshots (24-bit BMP as the driver writes them).
    def pixel(self, block, name, x, y, colour, tolerance="0"):
        actual = screenshot(self.path(name)).pixel(expect_int(x, "x"), expect_int(y, "y"))
        wanted = bytes.fromhex(colour.lstrip("#"))
        limit = expect_int(tolerance, "tolerance")
        if any(abs(a - w) > limit for a, w in zip(actual, wanted)):
            raise CheckFailed(f"pixel ({x}, {y}) of {name} is {actual.hex()}, expected {colour}")

    def pixel_count(self, block, name, left, top, right, bottom, colour, least, most=None):
        """At least `least` (and at most `most`) pixels of the box have exactly this colour."""
        image = screenshot(self.path(name))
        wanted = bytes.fromhex(colour.lstrip("#"))
        box = [expect_int(v, "box") for v in (left, top, right, bottom)]
        found = sum(1 for y in range(box[1], box[3]) for x in range(box[0], box[2])
                    if image.pixel(x, y) == wanted)
        if found < expect_int(least, "count") or (most is not None and found > expect_int(most, "count")):
            limits = f"at least {least}" + ("" if most is None else f" and at most {most}")
            raise CheckFailed(f"{found} pixels of {colour} in {box} of {name}, expected {limits}")


def matches(kind, wanted, line):
    return line == wanted if kind == ">" else re.fullmatch(wanted, line) is not None


def same_number(a, b):
    try:
        return int(a, 0) == int(b, 0)
    except ValueError:
        return False


def index_of(lines, label):
    try:
        return lines.index(label)
    except ValueError:
        raise CheckFailed(f"no line {label!r}")


class Bitmap:
    """A 24- or 32-bit BMP file as the driver writes its screenshots."""

    def __init__(self, path):
        self.name = path.name
        try:
            self.data = path.read_bytes()
        except OSError as error:
            raise CheckFailed(f"cannot read {path}: {error.strerror}")
        if self.data[:2] != b"BM":
            raise CheckFailed(f"{self.name} is not a BMP file")
        self.offset = struct.unpack_from("<I", self.data, 10)[0]
        self.width, self.height, _, self.bits = struct.unpack_from("<iiHH", self.data, 18)
        if self.bits not in (24, 32):
            raise CheckFailed(f"{self.name}: {self.bits}-bit BMP files are not read")
        self.stride = (self.width * self.bits // 8 + 3) & ~3

    def pixel(self, x, y):
        rows = abs(self.height)
        if not (0 <= x < self.width and 0 <= y < rows):
            raise CheckFailed(f"({x}, {y}) is outside {self.name} ({self.width} x {rows})")
        row = rows - 1 - y if self.height > 0 else y
        at = self.offset + row * self.stride + x * self.bits // 8
        blue, green, red = self.data[at:at + 3]
        return bytes((red, green, blue))


@functools.lru_cache(maxsize=1)
def screenshot(path):
    """A screenshot read once for the checks that follow one another on it."""
    return Bitmap(path)


CHECKS = {
    "lines-has": Run.lines_has,
    "lines-lacks": Run.lines_lacks,
    "lines-order": Run.lines_order,
    "lines-ends": Run.lines_ends,
    "lines-count": Run.lines_count,
    "file-exists": Run.file_exists,
    "outbox-field-matches": Run.outbox_field_matches,
    "file-absent": Run.file_absent,
    "state": Run.state,
    "state-absent": Run.state_absent,
    "state-points": Run.state_points,
    "report": Run.report,
    "report-crlf": Run.report_crlf,
    "report-line": Run.report_line,
    "report-follows": Run.report_follows,
    "report-section": Run.report_section,
    "report-tool-check": Run.report_tool_check,
    "report-tool-summary": Run.report_tool_summary,
    "outbox-messages": Run.outbox_messages,
    "outbox-field": Run.outbox_field,
    "outbox-body-line": Run.outbox_body_line,
    "pixel": Run.pixel,
    "pixel-count": Run.pixel_count,
}
# Commands whose following "#?>" / "#?~" lines form their block.
BLOCK_COMMANDS = {"lines-order", "lines-ends"}
# "journal-X ARGS" is "lines-X journal.txt ARGS".
JOURNAL_ALIASES = {"journal-has", "journal-lacks", "journal-order", "journal-ends", "journal-count"}


def parse_checks(text):
    checks = []
    for number, raw in enumerate(text.splitlines(), 1):
        if raw.startswith(("#?>", "#?~")):
            if not checks or checks[-1][1] not in BLOCK_COMMANDS:
                raise SystemExit(f"line {number}: a {raw[:3]} line must follow an order or ends check")
            checks[-1][3].append((raw[2], raw[4:] if raw[3:4] == " " else raw[3:]))
        elif raw.startswith("#? "):
            words = shlex.split(raw[3:])
            if not words:
                continue
            command, args = words[0], words[1:]
            if command in JOURNAL_ALIASES:
                command, args = "lines-" + command.split("-", 1)[1], [JOURNAL] + args
            checks.append((number, command, args, []))
    return checks


def main():
    if len(sys.argv) != 3:
        raise SystemExit("usage: check_scenario.py SCENARIO WORK_DIR")
    scenario, work = Path(sys.argv[1]), Path(sys.argv[2])
    run = Run(work)
    failures = 0
    for number, command, args, block in parse_checks(scenario.read_text("utf-8")):
        check = CHECKS.get(command)
        label = f"{scenario.name}:{number}: {command} {' '.join(args)}".rstrip()
        try:
            if check is None:
                raise CheckFailed(f"unknown check {command!r}")
            check(run, block, *args)
            print(f"ok    {label}")
        except TypeError as error:
            failures += 1
            print(f"FAIL  {label}\n      wrong arguments: {error}")
        except CheckFailed as error:
            failures += 1
            print(f"FAIL  {label}\n      {error}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
