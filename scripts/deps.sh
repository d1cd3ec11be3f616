#!/usr/bin/env bash
# Makes sure the Debian packages the build and the tests need are installed.
# As root it installs what is missing; otherwise it prints the command to run and fails.
# Run it, or source it and call rimtrace_deps.
set -euo pipefail

RIMTRACE_PACKAGES=(
    cmake make g++                      # native build (the presets use CMake's default generator)
    libgtest-dev libbenchmark-dev       # unit tests and benchmarks
    libcli11-dev nlohmann-json3-dev     # command lines (rimtrace-report, sequences); JSON output
    clang libclang-rt-dev               # the report reader's fuzz target (libFuzzer)
    librsvg2-bin                        # rsvg-convert: renders rimtrace-report's pictures
    g++-mingw-w64-x86-64-posix          # x86_64-w64-mingw32-g++-posix
    binutils-mingw-w64-x86-64           # x86_64-w64-mingw32-windres
    wine wine64                         # runs rimtrace.exe and the stand-ins
    xvfb xauth                          # a display for Wine when there is none (xvfb-run)
    x11-utils                           # xprop: does a window manager run (scripts/run.sh)
    fonts-wine                          # the fonts of Wine's dialogs and frames (close box symbol)
    imagemagick                         # screenshots and their pixel checks
    python3                             # the end-to-end checker
)

rimtrace_missing_packages() {
    local pkg status
    for pkg in "${RIMTRACE_PACKAGES[@]}"; do
        status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
        if [[ "$status" != ii* ]]; then
            printf '%s\n' "$pkg"
        fi
    done
}

rimtrace_deps() {
    local missing
    mapfile -t missing < <(rimtrace_missing_packages)
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
    rimtrace_deps
fi
