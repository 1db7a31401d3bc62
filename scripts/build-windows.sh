#!/usr/bin/env bash
# Cross-builds for 64-bit Windows with MinGW-w64, without Qt: the core, vexa-cli (text sheets, no
# live server, no PDF) and the core's tests, GoogleTest built from source for the cross compiler.
# The programs are linked with a static runtime and run on a bare Windows, or here under Wine
# (installed too, so that CTest runs the tests through it).
# Usage: scripts/build-windows.sh [BUILD_DIR]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-windows}
scripts/setup.sh cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine64
cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_APP=OFF -DVEXA_WERROR=ON \
    -DVEXA_GTEST_SOURCE_DIR=/usr/src/googletest
cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)"
