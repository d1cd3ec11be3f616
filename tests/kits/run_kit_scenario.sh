#!/usr/bin/env bash
# Unpacks a kit into an empty folder, adds the test's own rtdriver.exe (the one program a kit
# lacks for an end-to-end run) and plays an end-to-end scenario with the kit's programs: every
# other program and DLL the run uses comes from the unpacked kit.
#
#   run_kit_scenario.sh KIT.zip DRIVER_DIR WORK_DIR SCENARIO
#
# Needs a display (ctest runs it under xvfb-run); the Wine prefix is $RIMTRACE_WINEPREFIX.
set -uo pipefail

if (($# != 4)); then
    echo "usage: run_kit_scenario.sh KIT.zip DRIVER_DIR WORK_DIR SCENARIO" >&2
    exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(realpath -m "$3")
rm -rf "$work"
mkdir -p "$work/kit"
python3 -m zipfile -e "$1" "$work/kit" || exit 2
cp "$2/rtdriver.exe" "$work/kit/" || exit 2
exec "$here/../e2e/run_scenario.sh" "$4" "$work/kit" "$work/run"
