#!/usr/bin/env bash
# Makes the Debian package vexa_<version>_<arch>.deb: the three programs, their manual pages, the
# menu entry and its icon, the sound script and the default frequency names. Without a build
# folder it builds Release in build-release (as scripts/run.sh does); given one that holds a
# Release build of the program (as scripts/test.sh leaves build-test), it packages that build
# rather than building everything again. The package is written into OUT_DIR (default: the
# checkout's folder) and its path printed last.
# Usage: scripts/package.sh [BUILD_DIR [OUT_DIR]]
set -euo pipefail
cd "$(dirname "$0")/.."
checkout=$PWD
dir=${1:-build-release}
out=${2:-$checkout}

scripts/setup.sh
# dpkg-shlibdeps names the libraries' packages (it needs file to find the programs); rsvg-convert
# draws the icons.
scripts/setup.sh dpkg-dev file librsvg2-bin

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$dir/CMakeCache.txt"; }
if [ -f "$dir/CMakeCache.txt" ]; then
    if [ "$(cache_value CMAKE_BUILD_TYPE)" != Release ] || [ "$(cache_value VEXA_BUILD_APP)" = OFF ]; then
        echo "package: $dir is not a Release build of the program; give another folder" >&2
        exit 1
    fi
else
    scripts/build.sh "$dir" Release -DVEXA_BUILD_TESTS=OFF
fi
cmake --build "$dir" --target vexa_package_files --parallel "$(nproc 2>/dev/null || echo 2)"

work=$(cd "$dir" && pwd)/package
rm -rf "$work"
(cd "$dir" && cpack --config CPackConfig.cmake -B "$work" >/dev/null)
debs=("$work"/vexa_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "package: CPack made no single package in $work" >&2
    exit 1
fi
mkdir -p "$out"
mv -f "${debs[0]}" "$out/"
rm -rf "$work"
echo "$(cd "$out" && pwd)/$(basename "${debs[0]}")"
