#!/usr/bin/env bash
# Builds the program and every file that lies beside it (build/release/app/), and nothing else: the
# one build that ./run.sh starts and ./test.sh starts once more to prove it. Optimised, as GCC
# accepts at -O0 some code it rejects when optimising.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release --target zr35-mouse-software
