#!/usr/bin/env bash
# Installs what is missing, builds the Debug configuration with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./tools/ensure-deps.sh
cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZR35_SANITIZE=ON >/dev/null
cmake --build build/debug
export QT_QPA_PLATFORM=offscreen
cd build/debug
ctest --output-on-failure -j"$(nproc)"
