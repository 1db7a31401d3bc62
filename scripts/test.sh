#!/usr/bin/env bash
# Sets up, builds with warnings as errors and runs every test; the benchmarks are built too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build-test Release -DVEXA_WERROR=ON -DVEXA_BUILD_BENCH=ON
cd build-test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2
