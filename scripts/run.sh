#!/usr/bin/env bash
# Sets up, builds in Release and starts Vexa on the program home ./home (created when missing),
# with the announcement sounds that its sounds folder lacks.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build-release Release -DVEXA_BUILD_TESTS=OFF
mkdir -p home
scripts/make_sounds.sh home/sounds ||
    echo "Some announcement sounds could not be made; the program plays the ones there are." >&2
exec build-release/src/app/vexa --home "$PWD/home" "$@"
