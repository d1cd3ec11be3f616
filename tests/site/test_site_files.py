"""rimtrace-report site, run as a user runs it: what it writes for hostile reports, what a second
run reads and writes again, and that it never writes or removes anything beyond its own files."""

import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

from site_support import (PAGE_NAME, REPORT_TOOL, generate, index_rows, parse_page, report_with,
                          run_site, site_files, text_of)

SVG = "{http://www.w3.org/2000/svg}"

# Serial numbers typed on site by anyone, or made up by someone who wants to break the site.
HOSTILE_SERIALS = [
    b"<script>alert(1)</script>", b"</script><script>alert(2)</script>", b'"', b"'", b"&",
    b"&amp;", b"]]>", b"<!--", b"=cmd|' /C calc'!A0", b"=HYPERLINK(\"http://x\",\"x\")", b"+1",
    b"-1", b"@SUM(1)", b"..", b".", b"..\\..\\x", b"../../x", b"/", b"\\", b"a/b\\c:d", b":",
    b"C:\\Windows", b"CON", b"con", b"NUL", b"COM1", b"LPT9.txt", b"AUX.", b"trailing. ",
    b"trailing...", b"x" * 300, b"\x01\x02\x1b[31m\x7f", b"tab\there", b"a\x00b",
    b"\xff\xfe\xfd", b"\xc3(", b"\xed\xa0\x80", b"\x83\x65\x83\x58\x83\x67",
    "日本語".encode(), b"", b"AbC", b"aBc", b"abc", b"' onmouseover='alert(3)",
    b"javascript:alert(4)", b"%2e%2e%2f", b"\xef\xbb\xbfBOM", b" ", b"-", b"_",
    b"\xef\xbf\xbe\xef\xbf\xbf", b"\xc2\x85\xe2\x80\xa8",
]

# Report files whose names are hostile too (this file system takes any byte but '/' and NUL).
HOSTILE_FILE_NAMES = [b"<b>&\"x'.pts", b"CON.pts", b"..pts", b"a b.pts", b"\xff\xfe.pts",
                      b"AUX.PTS", b"-.pts", b"x" * 200 + b".pts"]


def shown_serial(serial: bytes):
    """The serial as the pages show it, for one in UTF-8 (None for others): control characters and
    the two XML has no place for as U+FFFD."""
    try:
        text = serial.decode()
    except UnicodeDecodeError:
        return None
    text = "".join("\ufffd" if ord(c) < 0x20 or 0x7F <= ord(c) < 0xA0 or c in "\ufffe\uffff"
                   else c for c in text)
    return text or "(no serial number)"


class HostileSerials(unittest.TestCase):
    """Every page well-formed, every file inside the site's folder, each serial its own board."""

    @classmethod
    def setUpClass(cls):
        cls.sandbox = Path(tempfile.mkdtemp(prefix="rimtrace-site-hostile-"))
        cls.addClassCleanup(shutil.rmtree, cls.sandbox, True)
        inputs = cls.sandbox / "inputs"
        inputs.mkdir()
        # Each report has a date of its own, which tells its row in the index.
        cls.serial_of = {}  # the date as the index shows it -> serial bytes

        def write(name: bytes, serial: bytes):
            n = len(cls.serial_of)
            os.makedirs(os.path.dirname(bytes(inputs) + b"/" + name), exist_ok=True)
            with open(bytes(inputs) + b"/" + name, "wb") as f:
                f.write(report_with(serial, b"1/1/2000 %d:%d:0" % (n // 60, n % 60)))
            cls.serial_of["2000-01-01 %02d:%02d:00" % (n // 60, n % 60)] = serial

        for i, serial in enumerate(HOSTILE_SERIALS):
            write(b"serial_%02d.pts" % i, serial)
        for i, name in enumerate(HOSTILE_FILE_NAMES):
            write(name, b"FILE-%d" % i)
        for folder in (b"one", b"two"):  # the same file name in two folders
            write(folder + b"/same.pts", b"SAME")
        cls.site = cls.sandbox / "site"
        cls.code, cls.out, cls.err = run_site(cls.site, inputs)
        cls.rows = index_rows(cls.site)

    def test_the_site_is_made_and_every_report_has_its_row_and_page(self):
        self.assertEqual(self.code, 0, self.err)
        self.assertEqual(len(self.rows), len(self.serial_of))
        reports = [f for f in site_files(self.site) if f.startswith(b"reports/")]
        self.assertEqual(len(reports), len(self.serial_of))
        self.assertEqual(sorted(r["report"].encode() for r in self.rows), sorted(reports))

    def test_every_file_is_inside_the_site_and_named_safely(self):
        self.assertEqual(sorted(os.listdir(self.sandbox)), ["inputs", "site"])
        real_site = os.path.realpath(self.site)
        names = site_files(self.site)
        for name in names:
            self.assertTrue(os.path.realpath(os.path.join(bytes(self.site), name))
                            .startswith(os.fsencode(real_site) + b"/"), name)
            if b"/" in name:
                self.assertRegex(name, PAGE_NAME)
        # Distinct even where the file system folds letter case.
        self.assertEqual(len({n.lower() for n in names}), len(names))

    def test_every_page_is_well_formed_runs_no_script_of_a_report_and_links_inside(self):
        for name in site_files(self.site):
            if not name.endswith(b".html"):
                continue
            path = os.path.join(bytes(self.site), name)
            root = parse_page(path)
            scripts = [e for e in root.iter() if e.tag in ("script", SVG + "script")]
            if name == b"index.html":
                self.assertEqual([(s.get("src"), text_of(s)) for s in scripts], [("site.js", "")])
            else:
                self.assertEqual(scripts, [], name)
            for element in root.iter():
                for attribute, value in element.attrib.items():
                    self.assertFalse(attribute.lower().startswith("on"), (name, attribute))
                if element.tag in ("a", SVG + "a"):
                    target = os.path.normpath(os.path.join(os.path.dirname(path),
                                                           os.fsencode(element.get("href"))))
                    self.assertTrue(target.startswith(bytes(self.site) + b"/"), (name, target))
                    self.assertTrue(os.path.isfile(target), (name, target))

    def test_each_serial_number_has_a_board_page_of_its_own(self):
        board_of_serial = {}
        for row in self.rows:
            board_of_serial.setdefault(self.serial_of[row["cells"][1]], set()).add(row["board"])
        self.assertTrue(all(len(boards) == 1 for boards in board_of_serial.values()))
        boards = [b for bs in board_of_serial.values() for b in bs]
        self.assertEqual(len(set(boards)), len(set(self.serial_of.values())))
        self.assertEqual(len({b.lower() for b in boards}), len(boards))
        on_disk = [f for f in site_files(self.site) if f.startswith(b"boards/")]
        self.assertEqual(sorted(os.fsencode(b) for b in boards), sorted(on_disk))

    def test_a_serial_number_reads_on_its_pages_as_it_was_typed(self):
        for row in self.rows:
            shown = shown_serial(self.serial_of[row["cells"][1]])
            if shown is None:
                continue
            self.assertEqual(row["cells"][0], shown)
            self.assertEqual(row["data-serial"] or "(no serial number)", shown)
            board = parse_page(self.site / row["board"])
            self.assertEqual(text_of(board.find(".//h1")), "Board " + shown)
            self.assertIn("Board " + shown, text_of(
                parse_page(self.site / row["report"]).find(".//p[@class='links']")))


class WhatThePointsSay(unittest.TestCase):
    """The index gives each edge's verdict graded again from its points, the report's own claim
    beside it where it differs, and reads serial numbers in the code page it is told."""

    def setUp(self):
        self.sandbox = Path(tempfile.mkdtemp(prefix="rimtrace-site-points-"))
        self.addCleanup(shutil.rmtree, self.sandbox, True)
        self.inputs = self.sandbox / "inputs"
        self.inputs.mkdir()
        self.site = self.sandbox / "site"

    def test_a_tampered_verdict_is_shown_beside_what_the_points_say(self):
        # The left edge's points passed; the file claims the edge is not correctable.
        tampered = report_with(b"SN-T").replace(b"# passed", b"# not correctable", 1)
        (self.inputs / "tampered.pts").write_bytes(tampered)
        self.assertEqual(run_site(self.site, self.inputs)[0], 0)
        [row] = index_rows(self.site)
        self.assertEqual(row["cells"][2:4], ["correctable", "passed report says not correctable"])
        self.assertEqual((row["data-worst"], row["data-check"]), ("correctable", "failed"))
        self.assertEqual(text_of(parse_page(self.site / "index.html").find(".//p[@class='counts']/"
                                 "span[@id='count-not-correctable']")),
                         "0 reports with an edge not correctable")
        board = text_of(parse_page(self.site / row["board"]).find(".//tbody"))
        self.assertIn("passed report says not correctable · 4", board)

    def test_serial_numbers_are_read_in_the_code_page_named_and_pages_say_which(self):
        (self.inputs / "japan.pts").write_bytes(report_with("テスト".encode("cp932")))

        def serial_and_code_page(*encoding):
            run = subprocess.run([str(REPORT_TOOL), "site", str(self.inputs), "-o",
                                  str(self.site), *encoding], capture_output=True, text=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            [row] = index_rows(self.site)
            board = text_of(parse_page(self.site / row["board"]).find(".//body"))
            note = text_of(parse_page(self.site / "index.html").find(".//p[@class='muted']"))
            return run.stdout, row["cells"][0], row["cells"][-1], board, note

        out, serial, code_page, board, note = serial_and_code_page("--encoding", "932")
        self.assertEqual((serial, code_page), ("テスト", "cp932"))
        self.assertIn("Board テスト", board)
        self.assertIn("its serial number read in code page cp932", board)
        self.assertIn("Serial numbers are read in code page cp932", note)
        # Read otherwise, every report is read again, and its board keeps its page.
        out, serial, code_page, board, _ = serial_and_code_page()
        self.assertIn("0 new, 1 read again", out)
        self.assertEqual((serial, code_page), ("ƒeƒXƒg", "cp1252"))
        self.assertEqual(len(site_files(self.site / "boards")), 1)


def snapshot(site: Path):
    """Each file of the site with what tells a rewritten file from an untouched one."""
    result = {}
    for name in site_files(site):
        st = os.stat(os.path.join(bytes(site), name))
        result[name] = (st.st_ino, st.st_mtime_ns)
    return result


def rewritten(before, after):
    return sorted(n for n in after if n in before and before[n] != after[n])


class Incremental(unittest.TestCase):
    """A second run over the same folders reads and writes only what changed, and ends with the
    site a first run would make of the same reports."""

    def setUp(self):
        self.sandbox = Path(tempfile.mkdtemp(prefix="rimtrace-site-incremental-"))
        self.addCleanup(shutil.rmtree, self.sandbox, True)
        self.inputs = self.sandbox / "inputs"
        self.site = self.sandbox / "site"

    def report(self, seed):
        return self.inputs / f"LMEdgeReport_{seed}.pts"

    def run_site(self, expected):
        code, out, err = run_site(self.site, self.inputs)
        self.assertEqual(code, 0, err)
        self.assertIn(expected, out)

    def assert_same_as_a_first_run(self):
        fresh = self.sandbox / "fresh"
        code, _, err = run_site(fresh, self.inputs)
        self.assertEqual(code, 0, err)
        ours = [n for n in site_files(self.site) if PAGE_NAME.match(n) or b"/" not in n]
        self.assertEqual(ours, site_files(fresh))
        for name in ours:
            with open(os.path.join(bytes(self.site), name), "rb") as a, \
                 open(os.path.join(bytes(fresh), name), "rb") as b:
                self.assertEqual(a.read(), b.read(), name)

    def test_a_run_reads_again_only_what_changed_and_writes_only_its_pages(self):
        generate(self.inputs, 24, boards=3)  # report i is of board SN-(i % 3)
        self.run_site("24 reports of 3 boards; 24 new, 0 read again, 0 touched only, 0 removed; "
                      "3 board pages written, the index written")
        pages = {row["report"]: row for row in index_rows(self.site)}
        page_of = {Path(row["file"]).name: row["report"].encode() for row in pages.values()}
        board_of = {row["cells"][0]: row["board"].encode() for row in pages.values()}
        before = snapshot(self.site)
        self.run_site("0 new, 0 read again, 0 touched only, 0 removed; 0 board pages written, "
                      "the index as it was")
        self.assertEqual(snapshot(self.site), before)

        # Touched only: the manifest learns the new time, no page is written.
        stamp = os.stat(self.report(5)).st_mtime_ns
        os.utime(self.report(5), ns=(stamp + 10**10, stamp + 10**10))
        self.run_site("0 new, 0 read again, 1 touched only, 0 removed; 0 board pages written, "
                      "the index as it was")
        self.assertEqual(rewritten(before, snapshot(self.site)), [b"rimtrace-site.manifest"])

        # Changed: report 6 moves from board SN-0 to SN-1; both boards and the index follow.
        before = snapshot(self.site)
        self.report(6).write_bytes(self.report(6).read_bytes().replace(b"SN-0", b"SN-1", 1))
        os.utime(self.report(6), ns=(stamp + 2 * 10**10, stamp + 2 * 10**10))
        self.run_site("0 new, 1 read again, 0 touched only, 0 removed; 2 board pages written, "
                      "the index written")
        self.assertEqual(rewritten(before, snapshot(self.site)),
                         sorted([page_of["LMEdgeReport_6.pts"], board_of["SN-0"], board_of["SN-1"],
                                 b"index.html", b"rimtrace-site.manifest"]))

        # A new report, and a report gone: its page goes, its board's page is written again.
        before = snapshot(self.site)
        generate(self.inputs, 1, first=24, boards=3)
        self.report(9).unlink()
        self.run_site("24 reports of 3 boards; 1 new, 0 read again, 0 touched only, 1 removed; "
                      "1 board page written")
        after = snapshot(self.site)
        self.assertNotIn(page_of["LMEdgeReport_9.pts"], after)
        self.assertEqual(rewritten(before, after),
                         sorted([board_of["SN-0"], b"index.html", b"rimtrace-site.manifest"]))
        self.assertEqual(len(set(after) - set(before)), 1)

        # The last report of a board gone: the board's page goes too.
        for seed in range(2, 24, 3):
            self.report(seed).unlink()
        self.run_site("16 reports of 2 boards; 0 new, 0 read again, 0 touched only, 8 removed")
        self.assertNotIn(board_of["SN-2"], snapshot(self.site))
        self.assert_same_as_a_first_run()

    def test_a_run_interrupted_at_any_moment_is_completed_by_the_next(self):
        generate(self.inputs, 300, boards=7)
        for delay in (0.01, 0.02, 0.04, 0.08, 0.15, 0.3, 0.6, 1.0):
            run = subprocess.Popen([str(REPORT_TOOL), "site", str(self.inputs), "-o",
                                    str(self.site)], stdout=subprocess.DEVNULL)
            time.sleep(delay)
            run.send_signal(signal.SIGKILL)
            run.wait()
            generate(self.inputs, 1, first=300 + int(delay * 100), boards=7)
        self.run_site("the index written")
        self.assert_same_as_a_first_run()


class FolderSafety(unittest.TestCase):
    """The site writes and removes only its own files, and leaves a folder that is no site alone."""

    def setUp(self):
        self.sandbox = Path(tempfile.mkdtemp(prefix="rimtrace-site-folder-"))
        self.addCleanup(shutil.rmtree, self.sandbox, True)
        self.inputs = self.sandbox / "inputs"
        self.inputs.mkdir()
        (self.inputs / "a.pts").write_bytes(report_with(b"SN-A"))
        self.site = self.sandbox / "site"

    def test_a_folder_that_is_not_empty_and_no_site_is_left_alone(self):
        self.site.mkdir()
        (self.site / "index.html").write_text("my own page")
        code, out, err = run_site(self.site, self.inputs)
        self.assertEqual((code, out), (2, ""))
        self.assertIn("not empty and holds no site made by `rimtrace-report site`", err)
        self.assertEqual(site_files(self.site), [b"index.html"])
        (self.site / "index.html").unlink()
        (self.site / "rimtrace-site.manifest").write_text("something else\n")
        self.assertEqual(run_site(self.site, self.inputs)[0], 2)
        file = self.sandbox / "file"
        file.write_text("a file")
        self.assertEqual(run_site(file, self.inputs)[0:2], (2, ""))
        self.assertEqual(file.read_text(), "a file")

    def test_files_the_site_did_not_write_stay_whatever_its_manifest_says(self):
        self.assertEqual(run_site(self.site, self.inputs)[0], 0)
        own = {"notes.txt": "notes", "reports/mine.html": "mine",
               "boards/look-alike-0123456789abcdef.html": "not the site's"}
        for name, text in own.items():
            (self.site / name).write_text(text)
        outside = self.sandbox / "outside.txt"
        outside.write_text("outside")
        # A manifest edited by hand (or by someone else) names files outside the site.
        manifest = (self.site / "rimtrace-site.manifest").read_text().splitlines()
        injected = ["file " + name for name in
                    ("../outside.txt", str(outside), "reports/../../outside.txt", "notes.txt")]
        (self.site / "rimtrace-site.manifest").write_text(
            "\n".join(manifest[:2] + injected + manifest[2:]) + "\n")
        # An interrupted run's journal names a page it may have written: that one goes.
        orphan = "reports/orphan-0123456789abcdef.html"
        (self.site / orphan).write_text("half a run's page")
        (self.site / "rimtrace-site.pending").write_text(orphan + "\n../outside.txt\n")
        (self.inputs / "a.pts").unlink()
        code, out, err = run_site(self.site, self.inputs)
        self.assertEqual(code, 0, err)
        self.assertIn("0 reports of 0 boards; 0 new, 0 read again, 0 touched only, 1 removed", out)
        self.assertEqual(outside.read_text(), "outside")
        for name, text in own.items():
            self.assertEqual((self.site / name).read_text(), text)
        self.assertEqual(sorted(site_files(self.site)),
                         sorted([b"boards/look-alike-0123456789abcdef.html", b"index.html",
                                 b"notes.txt", b"reports/mine.html", b"rimtrace-site.manifest",
                                 b"site.css", b"site.js"]))


if __name__ == "__main__":
    unittest.main()
