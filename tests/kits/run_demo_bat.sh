#!/usr/bin/env bash
# Unpacks the demo kit into an empty folder whose name has a blank and starts its demo.bat there
# under Wine, as a person would start it; rtdriver.exe (the test's own, from DRIVER_DIR, kept
# outside the kit) plays the scenario against the rimtrace.exe that demo.bat started. Then: the
# launcher ended with rimtrace's exit code, every program it started has ended, and the
# scenario's checks hold on the kit's folder.
#
#   run_demo_bat.sh DEMO_KIT.zip DRIVER_DIR WORK_DIR SCENARIO
#
# Needs a display (ctest runs it under xvfb-run). The Wine prefix is $RIMTRACE_WINEPREFIX.
set -uo pipefail

if (($# != 4)); then
    echo "usage: run_demo_bat.sh DEMO_KIT.zip DRIVER_DIR WORK_DIR SCENARIO" >&2
    exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
zip=$(realpath "$1")
driver_dir=$(realpath "$2")
work=$(realpath -m "$3")
scenario=$(realpath "$4")
readonly RUN_LIMIT=180 DEMO_END_LIMIT=30 SETTLE_LIMIT=30
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"

winpath() { printf 'Z:%s' "${1//\//\\}"; }

kit="$work/demo kit"
rm -rf "$work"
mkdir -p "$kit" "$work/driver"
python3 -m zipfile -e "$zip" "$kit" || exit 2
cp "$driver_dir/rtdriver.exe" "$scenario" "$work/driver/" || exit 2

rimtrace_wine_env "${RIMTRACE_WINEPREFIX:?the Wine prefix}"
# As DEMO.txt tells a person to start it under Wine: the outbox wins over Wine's mapi32.
rimtrace_wine_mapi outbox
# Nothing of the end-to-end harness's set-up: the demo makes its own board, driver window, mail
# outbox and restore record.
unset TAVLO_STATE RIMTRACE_OUTBOX RIMTRACE_MAPI_MODE RIMTRACE_RESTORE_DIR
rimtrace_wine_prefix || exit 1
rimtrace_wine_stop

demo_pid=""
driver_pid=""
finish() {
    [[ -n "$driver_pid" ]] && kill "$driver_pid" 2>/dev/null
    [[ -n "$demo_pid" ]] && kill "$demo_pid" 2>/dev/null
    rimtrace_wine_stop
}
trap finish EXIT

# Started from another folder, by its full path: demo.bat must find its own folder itself.
cd "$work" || exit 1
echo "--- wine cmd /c demo.bat (in $kit)"
wine cmd /c "$(winpath "$kit/demo.bat")" </dev/null >"$work/demo.log" 2>&1 &
demo_pid=$!
echo "--- rtdriver.exe $(basename "$scenario") (limit ${RUN_LIMIT} s)"
wine driver/rtdriver.exe "driver\\$(basename "$scenario")" "WORK=$(winpath "$kit")" \
    > >(tee "$work/driver.log") 2>&1 &
driver_pid=$!
rimtrace_wait_pid "$driver_pid" "$RUN_LIMIT"
driver_status=$?
driver_pid=""

failures=0
rimtrace_wait_pid "$demo_pid" "$DEMO_END_LIMIT"
demo_status=$?
demo_pid=""
echo "--- demo.bat's output"
tr -d '\r' <"$work/demo.log"
echo  # its last line (the pause prompt) has no line end
if ((demo_status != 0)); then
    echo "FAIL  demo.bat ended with $demo_status, expected rimtrace's exit code 0"
    failures=$((failures + 1))
fi
# The simulated driver demo.bat started is ended by it: once demo.bat has ended, nothing of the
# prefix runs any more and its wineserver goes.
if ! timeout "$SETTLE_LIMIT" wineserver -w; then
    echo "FAIL  a program the demo started still runs ${SETTLE_LIMIT} s after demo.bat ended"
    failures=$((failures + 1))
fi
finish
trap - EXIT

echo "--- checks"
python3 "$here/../e2e/check_scenario.py" "$scenario" "$kit" || failures=$((failures + 1))
echo "--- driver exit code $driver_status, $failures other failure(s); files in $kit"
((driver_status == 0 && failures == 0))
