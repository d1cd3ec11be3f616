#!/usr/bin/env bash
# Runs a Windows console program under Wine in the build tree's private prefix:
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# It is the mingw tree's CMAKE_CROSSCOMPILING_EMULATOR, so CTest can run cross-built test
# programs. The prefix is $RIMTRACE_WINEPREFIX, or build/mingw/wineprefix.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
rimtrace_wine_env "${RIMTRACE_WINEPREFIX:-$root/build/mingw/wineprefix}"
rimtrace_wine_prefix
exec wine "$@"
