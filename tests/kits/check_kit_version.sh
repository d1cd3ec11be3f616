#!/usr/bin/env bash
# Unpacks the field kit and checks the version its programs carry under Wine: the version
# resource of both (read as the file properties read it) and rimtrace-report.exe --version, each
# against the project's version.
#
#   check_kit_version.sh FIELD_KIT.zip VERSION_CHECK.exe WORK_DIR VERSION
#
# The Wine prefix is $RIMTRACE_WINEPREFIX.
set -uo pipefail

if (($# != 4)); then
    echo "usage: check_kit_version.sh FIELD_KIT.zip VERSION_CHECK.exe WORK_DIR VERSION" >&2
    exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(realpath -m "$3")
version=$4
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
rm -rf "$work"
mkdir -p "$work/kit"
python3 -m zipfile -e "$1" "$work/kit" || exit 2
cp "$2" "$work/" || exit 2

rimtrace_wine_env "${RIMTRACE_WINEPREFIX:?the Wine prefix}"
rimtrace_wine_prefix || exit 1
cd "$work" || exit 1
failures=0
wine "$(basename "$2")" 'kit\rimtrace.exe' 'kit\rimtrace-report.exe' || failures=$((failures + 1))
printed=$(wine 'kit\rimtrace-report.exe' --version | tr -d '\r')
if [[ "$printed" == "rimtrace-report $version" ]]; then
    echo "rimtrace-report.exe --version: $printed"
else
    echo "FAIL  rimtrace-report.exe --version printed '$printed', expected 'rimtrace-report $version'"
    failures=$((failures + 1))
fi
rimtrace_wine_stop
((failures == 0))
