#!/usr/bin/env bash
# Makes sure the Debian packages a build tree needs are installed:
#   scripts/deps.sh [PRESET...]      native, native-asan, fuzz, mingw; none: all of them
# As root it installs what is missing; otherwise it prints the command to run and fails.
set -euo pipefail

# What every tree needs, then what each preset adds.
readonly COMMON_PACKAGES=(
    cmake make                          # the presets use CMake's default generator
    libcli11-dev nlohmann-json3-dev     # command lines (rimtrace-report, sequences); JSON output
    libxxhash-dev                       # the site's content hashes and page names
)
readonly NATIVE_PACKAGES=(
    g++                                 # the host compiler
    libgtest-dev libbenchmark-dev       # unit tests and benchmarks
    librsvg2-bin imagemagick            # rimtrace-report's pictures, rendered and checked by pixel
    python3                             # rimtrace-report site's tests, which drive the program
    chromium chromium-driver            #   and open its pages in a headless browser
    python3-selenium
)
readonly FUZZ_PACKAGES=(
    clang libclang-rt-dev               # the report reader's fuzz target (libFuzzer)
    libxml2-dev                         #   which reads every page it makes as strict XML
)
readonly MINGW_PACKAGES=(
    g++-mingw-w64-x86-64-posix          # x86_64-w64-mingw32-g++-posix
    binutils-mingw-w64-x86-64           # x86_64-w64-mingw32-windres
    googletest                          # GoogleTest's sources, built for the Windows tests
    wine wine64                         # runs rimtrace.exe and the stand-ins
    xvfb xauth                          # a display for Wine when there is none (xvfb-run)
    xserver-xorg-core                   # Xorg with the dummy driver: the scenarios that ask for
    xserver-xorg-video-dummy            #   several monitors, switched on with xrandr, their
    x11-xserver-utils xcvt              #   modes made by cvt
    x11-utils                           # xprop: does a window manager run (scripts/run.sh)
    fonts-wine                          # the fonts of Wine's dialogs and frames (close box symbol)
    imagemagick                         # screenshots and their pixel checks
    python3                             # the end-to-end checker
)

# The packages of the named presets (all presets when none is named), one per line.
rimtrace_packages_for() {
    local presets=("$@")
    ((${#presets[@]} > 0)) || presets=(native native-asan fuzz mingw)
    printf '%s\n' "${COMMON_PACKAGES[@]}"
    local preset
    for preset in "${presets[@]}"; do
        case "$preset" in
            native | native-asan) printf '%s\n' "${NATIVE_PACKAGES[@]}" ;;
            fuzz) printf '%s\n' "${FUZZ_PACKAGES[@]}" ;;
            mingw) printf '%s\n' "${MINGW_PACKAGES[@]}" ;;
            *)
                echo "deps.sh: unknown preset '$preset' (native, native-asan, fuzz, mingw)" >&2
                return 2
                ;;
        esac
    done
}

rimtrace_deps() {
    local wanted missing=() pkg status
    wanted=$(rimtrace_packages_for "$@") || return 2
    for pkg in $(sort -u <<<"$wanted"); do
        status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
        [[ "$status" == ii* ]] || missing+=("$pkg")
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    local install=(apt-get install -y --no-install-recommends "${missing[@]}")
    if ((EUID != 0)); then
        echo "rimtrace needs these Debian packages: ${missing[*]}" >&2
        echo "Install them with:" >&2
        echo "  sudo apt-get update && sudo DEBIAN_FRONTEND=noninteractive ${install[*]}" >&2
        return 1
    fi
    echo "Installing: ${missing[*]}" >&2
    apt-get update
    DEBIAN_FRONTEND=noninteractive "${install[@]}"
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    rimtrace_deps "$@"
fi
