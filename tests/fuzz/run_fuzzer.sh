#!/usr/bin/env bash
# Runs the report reader's fuzz target for a bounded time on the seed corpus of real reports.
#
#   run_fuzzer.sh FUZZER SEED_DIR WORK_DIR SECONDS
#
# The corpus the fuzzer grows stays in WORK_DIR/corpus for the next run; crashes land in
# WORK_DIR as crash-* files. Fails when the fuzzer finds anything.
set -uo pipefail
if (($# != 4)); then
    echo "usage: run_fuzzer.sh FUZZER SEED_DIR WORK_DIR SECONDS" >&2
    exit 2
fi
fuzzer=$1 seeds=$2 work=$3 seconds=$4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mkdir -p "$work/corpus"
cd "$work" || exit 1
"$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=150000 \
    -dict="$here/report.dict" -print_final_stats=1 \
    corpus "$seeds"
