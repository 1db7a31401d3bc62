#!/usr/bin/env bash
# Configures and builds Vexa. Usage: scripts/build.sh BUILD_DIR BUILD_TYPE [extra cmake options]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
type=${2:-Release}
shift $(( $# > 2 ? 2 : $# ))
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)"
