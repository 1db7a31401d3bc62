#!/usr/bin/env bash
# Runs the Windows build's tests under Wine, in a fresh Wine prefix of its own that needs no
# display, then compares the files of a `vexa-cli race` made by the Windows build with those of
# the same run on Linux.
# Usage: scripts/test-windows.sh [WINDOWS_BUILD_DIR [LINUX_BUILD_DIR]]
#        (defaults build-windows and build-test, as scripts/build-windows.sh and scripts/test.sh
#        leave them)
set -euo pipefail
cd "$(dirname "$0")/.."
windows_build=${1:-build-windows}
linux_build=${2:-build-test}
scripts/setup.sh wine64

prefix=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$prefix"' EXIT
export WINEPREFIX=$prefix WINEDEBUG=-all
unset DISPLAY
started=$SECONDS
wineboot=$(command -v wineboot || echo /usr/lib/wine/wineboot)
"$wineboot" --init >/dev/null 2>&1 || true
echo "test-windows: Wine prefix made in $((SECONDS - started)) s"

# The suites' whole output goes into a log; shown here are the tests skipped on Windows with
# their reasons, and everything when a test fails.
log=$(cd "$windows_build" && pwd)/test-windows.log
if ! (cd "$windows_build" && ctest --verbose > "$log" 2>&1); then
    cat "$log"
    echo "test-windows: a test failed under Wine" >&2
    exit 1
fi
grep -E -B1 '\[  SKIPPED \] [A-Za-z0-9_/]+\.[A-Za-z0-9_/]+ \(' "$log" | grep -v -E '^--$' |
    sed 's/^[0-9]*: //' || true
grep -E '^[0-9]+: \[ +PASSED +\]|tests passed' "$log" | sed 's/^[0-9]*: //'
scripts/compare-windows.sh "$linux_build" "$windows_build"
echo "test-windows: done in $((SECONDS - started)) s"
