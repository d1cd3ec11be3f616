#!/usr/bin/env bash
# Runs one end-to-end scenario: a fresh work folder with the programs, the board's state file and
# the stand-ins the scenario's header asks for; rtdriver.exe plays the scenario under Wine; then
# the scenario's checks are evaluated on the files left behind (format in README.md here).
#
#   run_scenario.sh SCENARIO BIN_DIR WORK_DIR
#
# Needs a display (ctest runs it under xvfb-run), except for a scenario that asks for monitors:
# it starts an Xorg of its own (xorg_monitors.sh). The Wine prefix is $RIMTRACE_WINEPREFIX, or
# "wineprefix" beside BIN_DIR; one scenario at a time may use it, and its wineserver is ended
# before and after the run.
set -uo pipefail

if (($# != 3)); then
    echo "usage: run_scenario.sh SCENARIO BIN_DIR WORK_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scenario=$(realpath "$1")
bin=$(realpath "$2")
work=$(realpath -m "$3")
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
# shellcheck source=xorg_monitors.sh
source "$here/xorg_monitors.sh"

# Defaults, then the scenario's "#! key value" header lines.
boards=1
board_settings=()
driver_window=yes
driver_states=""
mapi=ok
mouse_pen=0
run_limit=120
monitors=()
displays=()
dpi=96
while read -r key value; do
    case "$key" in
        boards) boards=$value ;;
        settings) board_settings+=("$value") ;;
        driver-window) driver_window=yes driver_states=$value ;;
        no-driver-window) driver_window=no ;;
        mapi) mapi=$value ;;
        mouse-pen) mouse_pen=$value ;;
        timeout) run_limit=$value ;;
        monitor) monitors+=("$value") ;;
        display) displays+=("$value") ;;
        dpi) dpi=$value ;;
        *)
            echo "run_scenario: unknown header line '#! $key $value'" >&2
            exit 2
            ;;
    esac
done < <(sed -n 's/^#![[:space:]]*//p' "$scenario")

if [[ ! "$dpi" =~ ^[0-9]+$ ]]; then
    echo "run_scenario: '#! dpi $dpi' is not a number" >&2
    exit 2
fi

# Windows sees the Unix file system as drive Z:.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# The DPI Wine reports: its LogPixels (96 when unset), written into the shared prefix's registry
# file while no wineserver runs (a "wine reg" would start one: seconds), and only when it differs.
# Every scenario sets its own, so none inherits another's.
rimtrace_wine_dpi() {
    local wanted="$1" reg="$WINEPREFIX/user.reg" current=96 hex
    hex=$(sed -n '/^\[Control Panel\\\\Desktop\]/,/^\[/s/^"LogPixels"=dword:\([0-9a-f]*\)$/\1/p' "$reg")
    [[ -n "$hex" ]] && current=$((16#$hex))
    ((current == wanted)) && return 0
    awk -v value="$(printf '"LogPixels"=dword:%08x' "$wanted")" '
        /^\[/ {
            if (desktop && !done) { print value; done = 1 }
            desktop = index($0, "[Control Panel\\\\Desktop]") == 1
        }
        desktop && /^"LogPixels"=/ { print value; done = 1; next }
        { print }
        END {
            if (desktop && !done) { print value; done = 1 }
            if (!done) exit 1
        }' "$reg" >"$reg.new" && mv "$reg.new" "$reg" && return 0
    echo "run_scenario: cannot set the DPI in $reg" >&2
    return 1
}

rm -rf "$work"
mkdir -p "$work"
programs=(rimtrace.exe TAVLO.dll rtdriver.exe board50_standin.exe rimtrace-report.exe)
[[ "$mapi" != none ]] && programs+=(Mapi32.dll)
for program in "${programs[@]}"; do
    if ! cp "$bin/$program" "$work/"; then
        echo "run_scenario: $bin/$program is missing (was the mingw tree built?)" >&2
        exit 2
    fi
done
cp "$scenario" "$work/scenario.scn"

journal=$work/journal.txt
: >"$journal"
{
    echo "boards=$boards"
    echo "journal=$(winpath "$journal")"
    echo "mouse_pen=$mouse_pen"
    for line in "${board_settings[@]}"; do
        read -r board s0 s1 s4 <<<"$line"
        echo "board.$board.setting0=$s0"
        echo "board.$board.setting1=$s1"
        echo "board.$board.setting4=$s4"
    done
    for line in "${displays[@]}"; do
        read -r board left top right bottom <<<"$line"
        echo "board.$board.left=$left"
        echo "board.$board.top=$top"
        echo "board.$board.right=$right"
        echo "board.$board.bottom=$bottom"
    done
} >"$work/TAVLO.state"

rimtrace_wine_env "${RIMTRACE_WINEPREFIX:-$(dirname "$bin")/wineprefix}"
if [[ "$mapi" == none ]]; then
    rimtrace_wine_mapi none
else
    rimtrace_wine_mapi outbox
    export RIMTRACE_MAPI_MODE=$mapi
fi
unset TAVLO_STATE RIMTRACE_OUTBOX
# Each scenario's restore record lives in its own work folder: none leaks into the next.
export RIMTRACE_RESTORE_DIR
RIMTRACE_RESTORE_DIR=$(winpath "$work/restore")
rimtrace_wine_prefix || exit 1
rimtrace_wine_stop
# Interrupted or ended (a CTest time-out), the run still ends what it started.
trap 'exit 143' TERM INT HUP
if ((${#monitors[@]} > 0)); then
    trap xorg_stop EXIT
    xorg_start "$work" "${monitors[@]}" || exit $?
fi
rimtrace_wine_dpi "$dpi" || exit 1

board50_pid=""
driver_pid=""
finish() {
    [[ -n "$driver_pid" ]] && kill "$driver_pid" 2>/dev/null
    [[ -n "$board50_pid" ]] && kill "$board50_pid" 2>/dev/null
    rimtrace_wine_stop
}
trap 'finish; xorg_stop' EXIT
cd "$work" || exit 1

if [[ "$driver_window" == yes ]]; then
    args=(--journal "$(winpath "$journal")" --ready "$(winpath "$work/board50.ready")")
    [[ -n "$driver_states" ]] && args+=(--states "$driver_states")
    wine board50_standin.exe "${args[@]}" >"$work/board50.log" 2>&1 &
    board50_pid=$!
    for ((waited = 0; waited < 600; waited++)); do
        [[ -s "$work/board50.ready" ]] && break
        kill -0 "$board50_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [[ ! -s "$work/board50.ready" ]]; then
        echo "run_scenario: the BOARD50 stand-in did not get ready" >&2
        cat "$work/board50.log" >&2
        exit 1
    fi
fi

echo "--- rtdriver.exe $(basename "$scenario") (limit ${run_limit} s)"
wine rtdriver.exe scenario.scn "WORK=$(winpath "$work")" > >(tee "$work/driver.log") 2>&1 &
driver_pid=$!
rimtrace_wait_pid "$driver_pid" "$run_limit"
driver_status=$?
driver_pid=""
if ((driver_status == 124)); then
    echo "run_scenario: rtdriver.exe did not finish within ${run_limit} s; it was ended"
fi

# Everything the run started ends before the files are read (the X server after the checks).
finish
trap xorg_stop EXIT
board50_pid=""

echo "--- checks"
python3 "$here/check_scenario.py" "$scenario" "$work"
check_status=$?
rimtrace_wine_stop  # the checks may have run rimtrace-report.exe
xorg_stop
trap - EXIT
if ((driver_status != 0 || check_status != 0)); then
    for file in journal.txt outbox/outbox.log; do
        [[ -s "$work/$file" ]] || continue
        echo "--- $file (last 20 lines)"
        tail -n 20 "$work/$file"
    done
fi
echo "--- driver exit code $driver_status, checks $([[ $check_status == 0 ]] && echo passed || echo failed); files in $work"
((driver_status == 0 && check_status == 0))
