#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for the given
# number of seconds (60 by default): the reader of the score file, seeded with
# score files the game itself writes, and the reader of progressive JPEGs,
# seeded with small progressive files in several encoders' scan scripts that
# the project writes with libjpeg. The corpora are kept in build-fuzz/corpus-*
# between runs. Any crash, hang, sanitizer report or broken invariant fails the
# run, and the input that caused it is left in build-fuzz/.
#   tools/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-fuzz

cmake -S tools/fuzz -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null

# The sanitizers' options of every sanitized run.
while IFS= read -r option; do
    if [[ $option =~ ^[A-Z_]+= ]]; then export "${option//\$TESTS/$PWD/tests}"; fi
done <tests/sanitizers.env

# fuzz TARGET SEED-MAKER MAX-LEN
fuzz() {
    local target=$1 maker=$2 max_len=$3
    rm -rf "$build/seeds-$target"
    "$build/$maker" "$build/seeds-$target"
    mkdir -p "$build/corpus-$target"
    local log="$build/$target.log" status=0
    (cd "$build" && "./$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "corpus-$target" "seeds-$target") >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "$target: FAILED (exit $status); the input is in $build/, the whole log in $log"
        exit 1
    fi
    local runs corpus
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    corpus=$(find "$build/corpus-$target" -type f | wc -l)
    echo "$target: passed, $runs inputs in $seconds s, corpus of $corpus files"
}

fuzz fuzz_hiscore make_seeds 4200
fuzz fuzz_progressive make_progressive_seeds 16384
