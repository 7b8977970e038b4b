#!/usr/bin/env bash
# Builds the test configuration (AddressSanitizer and UndefinedBehaviorSanitizer)
# in build-test/ and runs the whole suite under Qt's offscreen platform, then a
# short fuzz run of the score-file and progressive JPEG readers. The benchmark
# is built too, so that it keeps compiling; it is run only by hand.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh --tests
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DBRINDLEPAIR_SANITIZE=ON -DBUILD_TESTING=ON \
    -DBRINDLEPAIR_BENCH=ON >/dev/null
cmake --build build-test --parallel "$(nproc)"
# ctest gives every test its platform and the sanitizers' options (tests/sanitizers.env).
cd build-test
ctest --output-on-failure --timeout 600 "$@"
cd ..
# A short fuzz run of both readers; tools/fuzz.sh SECONDS runs them for longer.
tools/fuzz.sh 20
