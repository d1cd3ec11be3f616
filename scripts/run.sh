#!/usr/bin/env bash
# Runs rimtrace.exe under Wine with the simulated board and the stand-ins.
#
#   scripts/run.sh [ARGUMENTS FOR rimtrace.exe, e.g. -service]
#
# With a reachable display the window opens there and the mouse is board 1's pen; reports,
# mail and the board's journal go to build/run/. Without one, a scripted demonstration plays on
# a virtual display and leaves its report, mail and screenshot in build/demo/. The Wine prefix
# is $RIMTRACE_WINEPREFIX, or build/mingw/wineprefix.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
readonly BIN=$root/build/mingw/bin
readonly PREFIX=${RIMTRACE_WINEPREFIX:-$root/build/mingw/wineprefix}

# Only what a run needs: the program, the simulated board and the stand-ins (and the driver for
# the demonstration), not the test programs.
build() {
    scripts/deps.sh mingw
    cmake --preset mingw >/dev/null
    cmake --build --preset mingw -j2 --target rimtrace tavlo sim_mapi32 board50_standin "$@"
}

# Whether $DISPLAY names an X server that accepts connections: a local socket or a TCP port.
display_reachable() {
    local display=${DISPLAY:-}
    [[ -n "$display" ]] || return 1
    local host=${display%%:*} number=${display#*:}
    number=${number%%.*}
    [[ "$number" =~ ^[0-9]+$ ]] || return 1
    if [[ -z "$host" || "$host" == unix ]]; then
        [[ -S /tmp/.X11-unix/X$number ]]
    else
        timeout 3 bash -c "exec 3<>/dev/tcp/$host/$((6000 + number))" 2>/dev/null
    fi
}

# Whether a window manager runs on $DISPLAY: the root names a check window that names itself
# (a window manager that died leaves the root's property behind, pointing nowhere).
window_manager_running() {
    local check
    check=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -Eo '0x[0-9a-f]+') ||
        return 1
    [[ "$(xprop -id "$check" -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null |
        grep -Eo '0x[0-9a-f]+')" == "$check" ]]
}

winpath() { printf 'Z:%s' "${1//\//\\}"; }

board50_pid=""
program_pid=""
frames_left_to_manager=no
stop_all() {
    if [[ -n "$program_pid" ]]; then kill "$program_pid" 2>/dev/null || true; fi
    if [[ -n "$board50_pid" ]]; then kill "$board50_pid" 2>/dev/null || true; fi
    rimtrace_wine_stop
    if [[ "$frames_left_to_manager" == yes ]]; then rimtrace_wine_window_manager N || true; fi
}

# Lists what this run left in the folder (and the report fallback in Documents): files written
# after the marker, without the programs copied in.
list_written() {
    local marker="$1" folder="$2" file
    echo "Written by this run:"
    local written=0
    while IFS= read -r file; do
        case "${file##*/}" in
            *.exe | *.dll | board50.ready | board50.log) continue ;;
        esac
        echo "  ${file#"$folder"/}"
        written=$((written + 1))
    done < <(find "$folder" "$PREFIX"/drive_c/users/*/Documents -type f -newer "$marker" \
        2>/dev/null | sort)
    ((written > 0)) || echo "  nothing"
}

run_on_display() {
    local run=$root/build/run
    mkdir -p "$run"
    cp -f "$BIN"/{rimtrace.exe,TAVLO.dll,Mapi32.dll,board50_standin.exe} "$run/"
    rm -f "$run/board50.ready"
    # Files older than this were there before the run.
    local marker=$run/.run-started
    touch "$marker"
    : >"$run/journal.txt"
    printf 'boards=1\njournal=%s\nmouse_pen=1\n' "$(winpath "$run/journal.txt")" >"$run/TAVLO.state"

    rimtrace_wine_env "$PREFIX"
    rimtrace_wine_mapi outbox
    export RIMTRACE_MAPI_MODE=ok
    unset TAVLO_STATE RIMTRACE_OUTBOX
    rimtrace_wine_prefix
    trap stop_all EXIT
    # On a bare X server Wine must draw window frames itself: frames left to a window manager
    # that is not there are never drawn, and every dialog takes two seconds to close while Wine
    # waits for it. A desktop's window manager gets them for the time of this run; the prefix
    # keeps Wine's own (also after a run that was cut short).
    if window_manager_running; then
        frames_left_to_manager=yes
        echo "A window manager runs on $DISPLAY: it frames the dialogs."
        rimtrace_wine_window_manager Y || true
    else
        echo "No window manager runs on $DISPLAY: Wine frames the dialogs itself."
        rimtrace_wine_window_manager N || true
    fi
    cd "$run"

    trap 'exit 130' INT TERM
    wine board50_standin.exe --journal "$(winpath "$run/journal.txt")" \
        --ready "$(winpath "$run/board50.ready")" >"$run/board50.log" 2>&1 &
    board50_pid=$!
    local waited=0
    while [[ ! -s "$run/board50.ready" ]] && ((waited++ < 600)) && kill -0 "$board50_pid" 2>/dev/null; do
        sleep 0.1
    done
    [[ -s "$run/board50.ready" ]] || echo "warning: the BOARD50 stand-in did not start" >&2

    echo "rimtrace.exe${*:+ $*} on $DISPLAY: the left mouse button is board 1's pen; Escape ends."
    wine rimtrace.exe "$@" &
    program_pid=$!
    local status=0
    wait "$program_pid" || status=$?
    program_pid=""
    echo "rimtrace.exe ended (exit code $status). In $run:"
    list_written "$marker" "$run"
    echo "(reports: *.pts; mail the program sent: outbox/; what the board and the driver were"
    echo "told: journal.txt, TAVLO.state)"
    return "$status"
}

run_demo() {
    local scenario
    case "$*" in
        "") scenario=demo_interactive ;;
        -service) scenario=demo_service ;;
        *)
            echo "Without a display run.sh plays a demonstration of an interactive run (no" >&2
            echo "arguments) or of a service run (-service); it cannot run '$*'." >&2
            return 2
            ;;
    esac
    local demo=$root/build/demo
    echo "No display: playing tests/e2e/scenarios/$scenario.scn on a virtual screen."
    local status=0
    RIMTRACE_WINEPREFIX=$PREFIX xvfb-run -a -s "-screen 0 1024x768x24" \
        tests/e2e/run_scenario.sh "tests/e2e/scenarios/$scenario.scn" "$BIN" "$demo" || status=$?
    if [[ -f "$demo/screen.bmp" ]]; then
        convert "$demo/screen.bmp" "$demo/screen.png"
    fi
    echo
    echo "The demonstration's files are in $demo:"
    local file
    for file in "$demo"/*.pts "$demo"/screen.png "$demo"/outbox/message-*.txt "$demo"/journal.txt \
        "$demo"/TAVLO.state; do
        if [[ -e "$file" ]]; then echo "  ${file#"$demo"/}"; fi
    done
    if ((status != 0)); then
        echo "The demonstration did not go as scripted (see above)." >&2
    fi
    return "$status"
}

if display_reachable; then
    build
    run_on_display "$@"
else
    build rtdriver
    run_demo "$@"
fi
