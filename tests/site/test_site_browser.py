"""rimtrace-report site in a real browser (headless Chromium, from disk, no network): the index
loads without a console error, its sorting and filters give the right rows, a board's page shows
its charts, links open the pages they name. Screenshots go to $RIMTRACE_SCREENSHOTS."""

import os
import shutil
import tempfile
import unittest
from pathlib import Path

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select

from site_support import generate, index_rows, parse_page, report_with, run_site

CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                  "--no-first-run", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--window-size=1400,1000"]
HOSTILE = "<script>alert('x')</script>"


def start_chromium():
    options = webdriver.ChromeOptions()
    for flag in CHROMIUM_FLAGS:
        options.add_argument(flag)
    profile = tempfile.mkdtemp(prefix="rimtrace-chromium-")
    SiteInABrowser.addClassCleanup(shutil.rmtree, profile, True)
    options.add_argument("--user-data-dir=" + profile)
    options.binary_location = "/usr/bin/chromium"
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


class SiteInABrowser(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        sandbox = Path(tempfile.mkdtemp(prefix="rimtrace-site-browser-"))
        cls.addClassCleanup(shutil.rmtree, sandbox, True)
        inputs = sandbox / "inputs"
        generate(inputs, 36, boards=4)
        damaged = report_with(b"SN-1", b"2/1/2027 8:30:0").replace(b"# max: 24", b"# max: 924")
        (inputs / "damaged.pts").write_bytes(damaged)
        (inputs / "hostile.pts").write_bytes(report_with(HOSTILE.encode(), b"1/1/2027 9:0:0"))
        cls.site = sandbox / "site"
        code, _, err = run_site(cls.site, inputs)
        assert code == 0, err
        cls.rows = index_rows(cls.site)  # as the page holds them without its script
        cls.shots = Path(os.environ.get("RIMTRACE_SCREENSHOTS", sandbox / "screenshots"))
        cls.shots.mkdir(parents=True, exist_ok=True)
        cls.browser = start_chromium()

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def open_index(self):
        self.browser.get((self.site / "index.html").as_uri())
        self.assertEqual(self.console_errors(), [])

    def console_errors(self):
        return [e for e in self.browser.get_log("browser") if e["level"] in ("SEVERE", "WARNING")]

    def shown(self, column=None):
        """The rows the page shows, in its order: their report links, or one column's keys."""
        return self.browser.execute_script(
            "return Array.from(document.querySelectorAll('#reports tbody tr'))"
            ".filter(r => !r.hidden).map(r => arguments[0] === null"
            " ? Array.from(r.querySelectorAll('a')).pop().getAttribute('href')"
            " : (r.cells[arguments[0]].getAttribute('data-key') ?? r.cells[arguments[0]].textContent))",
            column)

    def sort_by(self, column):
        headings = self.browser.find_elements(By.CSS_SELECTOR, "#reports thead tr:last-child th")
        headings[column].find_element(By.TAG_NAME, "button").click()

    def test_the_index_loads_shows_every_report_and_runs_no_report_text(self):
        self.open_index()
        self.assertEqual(self.shown(), [r["report"] for r in self.rows])
        self.assertEqual(self.browser.find_element(By.ID, "shown").text,
                         f"{len(self.rows)} of {len(self.rows)} reports shown")
        self.assertEqual(self.browser.find_element(By.ID, "count-failing").text,
                         "1 report failing the check")
        hostile = self.browser.find_element(By.XPATH, "//tr[@data-serial=\"%s\"]/td[1]" % HOSTILE)
        self.assertEqual(hostile.text, HOSTILE)
        with self.assertRaises(NoAlertPresentException):
            self.browser.switch_to.alert.text
        self.browser.save_screenshot(str(self.shots / "site-index.png"))

    def test_sorting_orders_the_rows_by_the_column_clicked_and_back(self):
        self.open_index()
        for column, numeric in ((1, False), (3, True), (0, False), (2, True), (13, True)):
            self.sort_by(column)
            ascending = self.shown(column)
            convert = float if numeric else str.lower
            self.assertEqual([convert(k) for k in ascending],
                             sorted(convert(k) for k in ascending), column)
            self.assertEqual(sorted(self.shown()), sorted(r["report"] for r in self.rows))
            self.sort_by(column)
            descending = self.shown(column)
            self.assertEqual([convert(k) for k in descending],
                             sorted((convert(k) for k in descending), reverse=True), column)
        self.assertEqual(self.console_errors(), [])

    def test_the_filters_show_exactly_the_rows_that_match(self):
        self.open_index()
        serial = self.browser.find_element(By.NAME, "serial")
        verdict = Select(self.browser.find_element(By.NAME, "verdict"))
        check = Select(self.browser.find_element(By.NAME, "check"))

        def expect(text, worst, state):
            return [r["report"] for r in self.rows
                    if text in r["data-serial"].lower() and worst in ("", r["data-worst"])
                    and state in ("", r["data-check"])]

        serial.send_keys("sn-1")
        self.assertEqual(self.shown(), expect("sn-1", "", ""))
        verdict.select_by_value("correctable")
        self.assertEqual(self.shown(), expect("sn-1", "correctable", ""))
        verdict.select_by_value("")
        check.select_by_value("failed")
        failed = self.shown()
        self.assertEqual(failed, expect("sn-1", "", "failed"))
        self.assertEqual(len(failed), 1)
        serial.clear()
        check.select_by_value("")
        verdict.select_by_value("not")
        self.assertEqual(self.shown(), expect("", "not", ""))
        self.assertEqual(self.browser.find_element(By.ID, "shown").text,
                         f"{len(expect('', 'not', ''))} of {len(self.rows)} reports shown")

    def test_a_board_page_shows_each_edge_over_its_visits_and_its_points_open_reports(self):
        self.open_index()
        self.browser.find_element(By.LINK_TEXT, "SN-1").click()
        board = self.browser.current_url.split("/site/")[1]
        visits = [r for r in self.rows if r["board"] == board]
        self.assertGreater(len(visits), 5)
        self.assertEqual(self.browser.find_element(By.TAG_NAME, "h1").text, "Board SN-1")
        charts = self.browser.find_elements(By.CSS_SELECTOR, "figure.chart svg")
        self.assertEqual(len(charts), 4)
        for chart in charts:
            self.assertEqual(len(chart.find_elements(By.TAG_NAME, "circle")), len(visits))
            self.assertGreater(chart.size["height"], 100)
        self.assertEqual(self.console_errors(), [])
        self.browser.save_screenshot(str(self.shots / "site-board.png"))
        # The newest visit is the last point; it opens that report's page.
        newest = max(visits, key=lambda r: r["cells"][1])
        charts[0].find_elements(By.TAG_NAME, "a")[-1].click()
        self.assertTrue(self.browser.current_url.endswith("/" + newest["report"]))
        self.assertIn("SN-1", self.browser.title)

    def test_a_report_link_opens_the_report_page_as_show_draws_it(self):
        self.open_index()
        first = self.rows[0]
        self.browser.find_element(By.CSS_SELECTOR, f"a[href='{first['report']}']").click()
        self.assertTrue(self.browser.current_url.endswith("/" + first["report"]))
        self.assertEqual(len(self.browser.find_elements(By.CSS_SELECTOR, "body > svg")), 1)
        self.assertEqual(self.console_errors(), [])
        self.browser.save_screenshot(str(self.shots / "site-report.png"))
        self.browser.find_element(By.LINK_TEXT, "All reports").click()
        self.assertTrue(self.browser.current_url.endswith("/site/index.html"))


if __name__ == "__main__":
    unittest.main()
