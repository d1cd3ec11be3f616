#!/usr/bin/env python3
"""rimtrace-report site over 10 000 generated reports: the first build into an empty folder, then
the run after one more report is added. The goal: the second run costs at most 5 % of the first.

    bench/site_bench.py [BUILD_DIR]     (build/native by default; build it first)

Wall-clock times of the real program, as a user waits for it; the folders go to a temporary
folder and are removed at the end."""

import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

REPORTS = 10000
GOAL = 0.05


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build/native")
    tool = build / "src/report_tool/rimtrace-report"
    generate = build / "bench/rimtrace_generate_reports"
    work = Path(tempfile.mkdtemp(prefix="rimtrace-site-bench-"))
    try:
        reports, site = work / "reports", work / "site"
        subprocess.run([str(generate), str(reports), str(REPORTS)], check=True)

        def timed_site():
            started = time.perf_counter()
            run = subprocess.run([str(tool), "site", str(reports), "-o", str(site)],
                                 capture_output=True, text=True, check=True)
            seconds = time.perf_counter() - started
            print(f"  {seconds:8.3f} s  {run.stdout.strip()}")
            return seconds

        print(f"rimtrace-report site over {REPORTS} generated reports")
        cold = timed_site()
        subprocess.run([str(generate), str(reports), "1", "--first", str(REPORTS)], check=True)
        incremental = timed_site()
        ratio = incremental / cold
        print(f"cold {cold:.3f} s, after one new report {incremental:.3f} s: "
              f"{100 * ratio:.2f} % of the cold build (goal: at most {100 * GOAL:.0f} %)")
        return 0 if ratio <= GOAL else 1
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
