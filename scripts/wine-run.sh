#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's private prefix, made first if need be:
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# For CTest commands of the mingw tree (or as its CMAKE_CROSSCOMPILING_EMULATOR). The prefix is
# $RIMTRACE_WINEPREFIX, or build/mingw/wineprefix.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
rimtrace_wine_env "${RIMTRACE_WINEPREFIX:-$root/build/mingw/wineprefix}"
# A Mapi32.dll beside the program (the outbox stand-in) wins over Wine's own.
rimtrace_wine_mapi outbox
rimtrace_wine_prefix
exec wine "$@"
