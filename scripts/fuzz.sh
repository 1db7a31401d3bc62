#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/ and runs each for SECONDS (default 30) on a copy of its seed corpus, after replaying
# the inputs kept in fuzz/regressions/. Fails when a target crashes or breaks one of its checks,
# printing the path of the input that does it.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (targets: the names of fuzz/fuzz_*.cpp)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/fuzz_*.cpp; do
        name=$(basename "$source" .cpp)
        targets+=("${name#fuzz_}")
    done
fi

# clang-14 alone has no libFuzzer: its runtime and the sanitizers' are in libclang-rt-14-dev.
scripts/setup.sh clang-14 libclang-rt-14-dev cmake ninja-build

build=build-fuzz
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "${launcher[@]}" -DVEXA_BUILD_FUZZ=ON -DVEXA_BUILD_APP=OFF -DVEXA_BUILD_TESTS=OFF \
    -DVEXA_WERROR=ON >/dev/null
cmake --build "$build" --target vexa_fuzz --parallel "$(nproc 2>/dev/null || echo 2)"

# The readers' files go to memory when it can: on a disk every rename waits for the data.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

failed=()
for t in "${targets[@]}"; do
    exe="$build/fuzz/fuzz_$t"
    findings="$build/findings/$t"
    work="$build/corpus/$t"
    log="$build/logs/$t.log"
    rm -rf "$work"
    mkdir -p "$findings" "$work" "$(dirname "$log")"
    cp fuzz/corpus/"$t"/* "$work"/
    dict=()
    [ -f "fuzz/$t.dict" ] && dict=(-dict="fuzz/$t.dict")

    if compgen -G "fuzz/regressions/$t/*" >/dev/null; then
        if ! "$exe" "${dict[@]}" fuzz/regressions/"$t"/* >"$log" 2>&1; then
            tail -n 40 "$log"
            echo "fuzz $t: a kept regression input fails again (fuzz/regressions/$t/)"
            failed+=("$t")
            continue
        fi
    fi

    status=0
    "$exe" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/" "${dict[@]}" "$work" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        reproducer=$(sed -n 's/.*Test unit written to //p' "$log" | tail -n 1)
        echo "fuzz $t: FOUND A FAULT after ${runs:-?} runs; reproducer: ${reproducer:-see $log}"
        failed+=("$t")
    else
        echo "fuzz $t: ${runs:-?} runs in ${seconds} s (${speed:-?}/s), nothing found"
    fi
done

[ ${#failed[@]} -gt 0 ] && echo "fuzz targets that found a fault: ${failed[*]}"
echo "fuzzing: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
