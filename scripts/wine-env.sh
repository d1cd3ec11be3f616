# Wine settings shared by scripts/run.sh and the end-to-end runner. Source it, then call
# rimtrace_wine_env <prefix> and rimtrace_wine_prefix before starting Windows programs.
# shellcheck shell=bash

# Sets up the environment for a private prefix (created by rimtrace_wine_prefix). No debug
# output; no Mono or Gecko, whose install prompt would wait for a person forever; UTF-8 so
# Unicode file names survive.
rimtrace_wine_env() {
    export WINEPREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LC_ALL=C.UTF-8
}

# How LoadLibrary("Mapi32.dll") resolves: "outbox" lets the outbox stand-in beside the program
# win over Wine's own mapi32; "none" makes loading it fail.
rimtrace_wine_mapi() {
    local base="mscoree,mshtml="
    case "$1" in
        outbox) export WINEDLLOVERRIDES="$base;mapi32=n,b" ;;
        none) export WINEDLLOVERRIDES="$base;mapi32=" ;;
        *)
            echo "rimtrace_wine_mapi: unknown mode '$1'" >&2
            return 1
            ;;
    esac
}

# The prefix's own settings: raise the number when they change, and every prefix made before is
# brought up to date once (the number is kept in the prefix's ready file).
RIMTRACE_WINE_SETTINGS=2

# Creates the prefix once and gives it its settings. Concurrent callers wait on a lock beside it.
# A prefix Wine made by itself (a program started there without this function) is taken over once
# Wine has finished with it; one without registry files (its creation was cut short) is made again.
rimtrace_wine_prefix() {
    local ready="$WINEPREFIX/.rimtrace-ready"
    if [[ "$(cat "$ready" 2>/dev/null)" == "$RIMTRACE_WINE_SETTINGS" ]]; then
        rimtrace_wine_fonts
        return 0
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock -w 600 9 || {
            echo "rimtrace_wine_prefix: timed out waiting for $WINEPREFIX.lock" >&2
            exit 1
        }
        [[ "$(cat "$ready" 2>/dev/null)" == "$RIMTRACE_WINE_SETTINGS" ]] && exit 0
        timeout 120 wineserver -w >/dev/null 2>&1 || true
        # Wine writes the registry files when the prefix has been set up.
        if [[ ! -e "$WINEPREFIX/system.reg" ]]; then
            rm -rf "$WINEPREFIX"
            echo "Creating the Wine prefix $WINEPREFIX ..." >&2
            timeout 300 wineboot -i >/dev/null 2>&1 || {
                echo "rimtrace_wine_prefix: wineboot failed" >&2
                rimtrace_wine_stop
                exit 1
            }
        fi
        rimtrace_wine_window_manager N || echo "warning: Wine will leave window frames to a window manager" >&2
        # A program that crashes ends at once with its exception's code, as on a Windows without
        # a debugger, instead of waiting behind Wine's crash dialog for a person to close it. No
        # debugger at all: Wine's, even without its dialog, takes seconds to write a backtrace.
        timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
            /d 0 /f >/dev/null 2>&1 || echo "warning: Wine will show its crash dialog" >&2
        timeout 60 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /d "" /f >/dev/null 2>&1 || echo "warning: Wine's debugger will start on a crash" >&2
        timeout 120 wineserver -w || true
        rimtrace_wine_fonts
        echo "$RIMTRACE_WINE_SETTINGS" >"$ready"
    ) 9>"$WINEPREFIX.lock"
}

# Wine's own fonts (Debian's fonts-wine: Tahoma for "MS Shell Dlg", Marlett for the caption
# buttons' symbols) lie in a folder Debian's Wine 8 does not search; linked into the prefix's
# Windows font folder they are found. Without them dialogs fall back to DejaVu Sans and the close
# box shows the letter "r". Safe to repeat.
rimtrace_wine_fonts() {
    local own=/usr/share/wine/fonts fonts="$WINEPREFIX/drive_c/windows/Fonts" font
    [[ -d "$own" && -d "$fonts" ]] || return 0
    for font in "$own"/*; do
        [[ -e "$fonts/${font##*/}" ]] || ln -sfn "$font" "$fonts/${font##*/}" 2>/dev/null || true
    done
}

# Y: windows with a frame are left to the desktop's window manager (a person's desktop);
# N: Wine draws their caption and frame itself, so dialogs look whole on a bare Xvfb screen. The
# prefix is made with N.
rimtrace_wine_window_manager() {
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
}

# Ends the prefix's wineserver and every Windows process of this prefix only, and waits for it.
rimtrace_wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    timeout 30 wineserver -w >/dev/null 2>&1 || true
}

# Waits up to $2 seconds for process $1 to exit; ends it (by its pid) when it does not.
# Returns the process's exit status, or 124 when it had to be ended.
rimtrace_wait_pid() {
    local pid="$1" limit="$2" waited=0
    while kill -0 "$pid" 2>/dev/null; do
        if ((waited >= limit * 10)); then
            kill "$pid" 2>/dev/null || true
            sleep 1
            kill -9 "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            return 124
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    local status=0
    wait "$pid" 2>/dev/null || status=$?
    return "$status"
}
