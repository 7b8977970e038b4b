#!/usr/bin/env bash
# Builds the fuzz target of the score-file reader with clang in build-fuzz/ and
# runs it for the given number of seconds (60 by default). The corpus is kept in
# build-fuzz/corpus between runs; the seeds are score files the game itself
# writes. Any crash, hang, sanitizer report or broken invariant fails the run,
# and the input that caused it is left in build-fuzz/.
#   tools/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-fuzz

cmake -S tools/fuzz -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null

rm -rf "$build/seeds"
"$build/make_seeds" "$build/seeds"
mkdir -p "$build/corpus"

# The sanitizers' options of every sanitized run.
while IFS= read -r option; do
    if [[ $option =~ ^[A-Z_]+= ]]; then export "${option//\$TESTS/$PWD/tests}"; fi
done <tests/sanitizers.env
log="$build/fuzz.log"
status=0
(cd "$build" && ./fuzz_hiscore -max_total_time="$seconds" -max_len=4200 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 corpus seeds) >"$log" 2>&1 || status=$?

if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "fuzz_hiscore: FAILED (exit $status); the input is in $build/, the whole log in $log"
    exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
corpus=$(find "$build/corpus" -type f | wc -l)
echo "fuzz_hiscore: passed, $runs inputs in $seconds s, corpus of $corpus files"
