#!/usr/bin/env bash
# Sets up, builds in Release and starts Vexa on the program home ./home (created when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build-release Release -DVEXA_BUILD_TESTS=OFF
mkdir -p home
exec build-release/src/app/vexa --home "$PWD/home" "$@"
