#!/usr/bin/env bash
# Builds Brindlepair in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build --parallel "$(nproc)"
exec ./build/brindlepair "$@"
