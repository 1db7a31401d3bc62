#!/usr/bin/env bash
# Runs `vexa-cli race` on the same small meeting on Linux and, under Wine, with the Windows
# build, and compares every file the two runs leave byte for byte, their wall-clock stamps aside
# (the journals' start time, the printed sheets' time of printing, the upload file's dates).
# Usage: scripts/compare-windows.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR
set -euo pipefail
export LC_ALL=C
linux_build=$(cd "${1:?usage: compare-windows.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR}" && pwd)
windows_build=$(cd "${2:?usage: compare-windows.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR}" && pwd)

work=$(mktemp -d)
trap '[ "$WINEPREFIX" = "$work/wine" ] && wineserver -k >/dev/null 2>&1; rm -rf "$work"' EXIT
export WINEPREFIX=${WINEPREFIX:-$work/wine} WINEDEBUG=-all
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)

"$linux_build/tests/make_sample_event" "$work/linux/home" "$work/script.txt"
cp -r "$work/linux" "$work/windows"

run_race() { # PROGRAM HOME SCRIPT PRINT_DIR [runner...]
    local program=$1 home=$2 script=$3 prints=$4
    shift 4
    "$@" "$program" race --home "$home" --event "Club Day" --script "$script" --races 2 \
        --print-dir "$prints" --quiet
}

run_race "$linux_build/tools/vexa_cli/vexa-cli" "$work/linux/home" "$work/script.txt" \
    "$work/linux/print"
winpath() { winepath -w "$1" 2>/dev/null; }
run_race "$windows_build/tools/vexa_cli/vexa-cli.exe" "$(winpath "$work/windows/home")" \
    "$(winpath "$work/script.txt")" "$(winpath "$work/windows/print")" "$wine"

# The stamps of the wall clock, replaced by a mark in both trees before comparing.
mask() {
    sed -E -e '1s/^(vexa-journal [0-9]+ )[0-9]+ (.*) \*[0-9A-F]{8}$/\1STAMP \2 *SUM/' \
        -e 's/Printed:[0-9]{2}\/[0-9]{2}\/[0-9]{4} - [0-9]{2}:[0-9]{2}:[0-9]{2}/Printed:STAMP/' \
        -e 's/(EventDate|EventEndDate|RunDateTime)="[^"]*"/\1="STAMP"/g' "$1"
}
status=0
for side in linux windows; do
    (cd "$work/$side" && find . -type f | LC_ALL=C sort) > "$work/$side.files"
done
if ! diff -u "$work/linux.files" "$work/windows.files"; then
    echo "compare-windows: the two runs left different files" >&2
    status=1
fi
while IFS= read -r file; do
    [ -f "$work/windows/$file" ] || continue
    if ! cmp -s <(mask "$work/linux/$file") <(mask "$work/windows/$file"); then
        echo "compare-windows: $file differs:" >&2
        diff <(mask "$work/linux/$file" | od -c) <(mask "$work/windows/$file" | od -c) | head -20 >&2
        status=1
    fi
done < "$work/linux.files"
count=$(wc -l < "$work/linux.files")
[ "$status" -eq 0 ] && echo "compare-windows: $count files alike on Linux and Windows"
exit "$status"
