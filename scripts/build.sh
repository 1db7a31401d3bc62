#!/usr/bin/env bash
# Configures and builds Vexa. Usage: scripts/build.sh BUILD_DIR BUILD_TYPE [extra cmake options]
# Uses ccache when it is installed, so rebuilds of unchanged files are quick.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
type=${2:-Release}
shift $(( $# > 2 ? 2 : $# ))
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "$@"
cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)"
