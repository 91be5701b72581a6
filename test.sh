#!/usr/bin/env bash
# Installs what is missing, builds the Debug configuration with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; then builds the fuzz targets with clang
# (build/fuzz) and runs each once over its seed corpus and saved crash inputs; then builds the
# program as ./run.sh does and starts it once. Both test builds treat a compiler warning as an
# error. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./tools/ensure-deps.sh test
cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZR35_SANITIZE=ON -DZR35_WERROR=ON \
  >/dev/null
cmake --build build/debug
(cd build/debug && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DZR35_FUZZ=ON -DZR35_WERROR=ON >/dev/null
cmake --build build/fuzz
(cd build/fuzz && ctest --output-on-failure -j"$(nproc)")

./tools/build-program.sh
./tests/app/smoke-start.sh build/release/app/zr35-mouse-software
