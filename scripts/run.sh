#!/usr/bin/env bash
# Runs rimtrace.exe under Wine with the simulated board and the stand-ins.
#
#   scripts/run.sh [ARGUMENTS FOR rimtrace.exe, e.g. -service]
#
# With a reachable display the window opens there and the mouse is board 1's pen; reports,
# mail and the board's journal go to build/run/. Without one, a scripted demonstration plays on
# a virtual display and leaves its report, mail and screenshot in build/demo/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

scripts/deps.sh
cmake --preset mingw
cmake --build --preset mingw -j2

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
readonly BIN=$root/build/mingw/bin
readonly PREFIX=$root/build/mingw/wineprefix

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

winpath() { printf 'Z:%s' "${1//\//\\}"; }

board50_pid=""
program_pid=""
stop_all() {
    if [[ -n "$program_pid" ]]; then kill "$program_pid" 2>/dev/null || true; fi
    if [[ -n "$board50_pid" ]]; then kill "$board50_pid" 2>/dev/null || true; fi
    rimtrace_wine_stop
    rimtrace_wine_window_manager N || true
}

run_on_display() {
    local run=$root/build/run
    mkdir -p "$run"
    cp -f "$BIN"/{rimtrace.exe,TAVLO.dll,Mapi32.dll,board50_standin.exe} "$run/"
    : >"$run/journal.txt"
    rm -f "$run/board50.ready"
    printf 'boards=1\njournal=%s\nmouse_pen=1\n' "$(winpath "$run/journal.txt")" >"$run/TAVLO.state"

    rimtrace_wine_env "$PREFIX"
    rimtrace_wine_mapi outbox
    export RIMTRACE_MAPI_MODE=ok
    unset TAVLO_STATE RIMTRACE_OUTBOX
    rimtrace_wine_prefix
    # Leave the windows to the desktop's window manager for the time of this run.
    rimtrace_wine_window_manager Y || true
    cd "$run"

    trap stop_all EXIT
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
    echo "  reports saved under the default name: $(find "$run" -maxdepth 1 -name '*.pts' | wc -l) .pts file(s)"
    echo "  mail the program sent: outbox/"
    echo "  what the board and the driver were told: journal.txt, TAVLO.state"
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
    run_on_display "$@"
else
    run_demo "$@"
fi
