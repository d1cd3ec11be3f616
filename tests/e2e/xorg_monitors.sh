# The monitors a scenario asks for, on a real X server: Xorg with the dummy video driver, whose
# RandR outputs DUMMY0..DUMMY15 are switched on with xrandr. Xvfb shows Wine one monitor only.
# Source it, then xorg_start WORK MONITOR... and, whatever happens, xorg_stop.
# shellcheck shell=bash

xorg_pid=""

# Starts Xorg on a free display (it picks the number itself) and switches on one output per
# MONITOR, "WIDTHxHEIGHT" for the primary (DUMMY0, at the desktop's origin), then
# "WIDTHxHEIGHT RELATION" with RELATION right-of, left-of or same-as (mirrored): the monitor
# lies so to the one before it. Exports DISPLAY. Xorg's configuration and log go into WORK.
xorg_start() {
    local work="$1"
    shift
    local monitors=("$@")
    if ((EUID != 0)); then
        echo "run_scenario: the monitors of this scenario need Xorg, which must run as root" >&2
        return 2
    fi
    if ((${#monitors[@]} > 16)); then
        echo "run_scenario: at most 16 monitors (DUMMY0..DUMMY15)" >&2
        return 2
    fi
    # Only what the dummy driver needs: no input devices, no configuration of this machine's.
    mkdir -p "$work/xorg.conf.d"
    cat >"$work/xorg.conf" <<'EOF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 512000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 1.0 - 1000.0
    VertRefresh 1.0 - 200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
EndSection
EOF
    : >"$work/xorg.display"
    Xorg -displayfd 9 -config "$work/xorg.conf" -configdir "$work/xorg.conf.d" \
        -logfile "$work/xorg.log" -noreset -nolisten tcp -br \
        9>"$work/xorg.display" >"$work/xorg.out" 2>&1 &
    xorg_pid=$!
    local waited
    for ((waited = 0; waited < 100; waited++)); do
        grep -q '^[0-9]' "$work/xorg.display" && break
        kill -0 "$xorg_pid" 2>/dev/null || break
        sleep 0.1
    done
    if ! grep -q '^[0-9]' "$work/xorg.display"; then
        echo "run_scenario: Xorg did not start (log: $work/xorg.log)" >&2
        return 1
    fi
    DISPLAY=":$(head -n 1 "$work/xorg.display")"
    export DISPLAY

    local i size relation mode outputs=() made=" "
    for i in "${!monitors[@]}"; do
        read -r size relation <<<"${monitors[$i]}"
        if [[ ! "$size" =~ ^([0-9]+)x([0-9]+)$ ]]; then
            echo "run_scenario: monitor '${monitors[$i]}': the size must be WIDTHxHEIGHT" >&2
            return 2
        fi
        mode="rimtrace-$size"
        if [[ "$made" != *" $mode "* ]]; then
            # cvt's timing; the mode's name is ours, so one size is made once.
            # shellcheck disable=SC2046
            xrandr --newmode "$mode" $(cvt "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" |
                sed -n 's/^Modeline "[^"]*"//p') || return 1
            made+="$mode "
        fi
        xrandr --addmode "DUMMY$i" "$mode" || return 1
        outputs+=(--output "DUMMY$i" --mode "$mode")
        case "$i:$relation" in
            0:) outputs+=(--primary --pos 0x0) ;;
            0:*)
                echo "run_scenario: the first monitor is the primary, at the origin" >&2
                return 2
                ;;
            *:right-of | *:left-of | *:same-as) outputs+=("--$relation" "DUMMY$((i - 1))") ;;
            *)
                echo "run_scenario: monitor '${monitors[$i]}': say right-of, left-of or same-as" >&2
                return 2
                ;;
        esac
    done
    xrandr "${outputs[@]}" || return 1
    # Wine reads the new configuration only after a client has asked for all of it once.
    xrandr --query >"$work/xrandr.txt" || return 1
}

# Ends the Xorg this shell started, by its pid, and waits for it.
xorg_stop() {
    [[ -n "$xorg_pid" ]] || return 0
    kill "$xorg_pid" 2>/dev/null
    local waited
    for ((waited = 0; waited < 50; waited++)); do
        kill -0 "$xorg_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$xorg_pid" 2>/dev/null
    wait "$xorg_pid" 2>/dev/null
    xorg_pid=""
}
