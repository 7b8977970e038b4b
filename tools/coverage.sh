#!/usr/bin/env bash
# Builds the whole suite with gcc --coverage in build-coverage/, runs it (the
# end-to-end game in a real X window included) and prints the line coverage of
# every file of src/, then, as its last line:
#   src line coverage: NN.N% (covered/total)
#   tools/coverage.sh [ctest arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --tests
if ! command -v gcovr >/dev/null; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends gcovr
fi

build=build-coverage
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS="--coverage" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
# The objects of targets that are gone (a test program that was removed, say)
# keep their notes files, which gcovr would merge with the present ones.
targets=$(cmake --build "$build" --target help | sed -n 's/^\.\.\. \([^ ]*\).*/\1/p')
find "$build" -type d -path '*/CMakeFiles/*.dir' | while read -r dir; do
    grep -qx "$(basename "$dir" .dir)" <<<"$targets" || rm -rf "$dir"
done
find "$build" -name '*.gcda' -delete
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --timeout 600 "$@" >ctest.log) || {
    tail -n 30 "$build/ctest.log"
    echo "coverage: the suite failed; see $build/ctest.log"
    exit 1
}

report=$(gcovr --root . --filter 'src/' --object-directory "$build" "$build" 2>/dev/null)
printf '%s\n' "$report" | sed -n '/^src\//p'
# gcovr's TOTAL line: lines, covered, percentage.
read -r total covered _ <<<"$(printf '%s\n' "$report" | awk '/^TOTAL/ {print $2, $3, $4}')"
awk -v c="$covered" -v t="$total" 'BEGIN { printf "src line coverage: %.1f%% (%d/%d)\n", 100 * c / t, c, t }'
