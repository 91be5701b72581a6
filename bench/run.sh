#!/usr/bin/env bash
# Builds the benchmarks (Release, in build/bench) and runs each one, printing medians. Not part of
# ./test.sh: the figures depend on the machine. Optional: BENCH_REPETITIONS (default 15),
# BENCH_IDLE_SECONDS (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/ensure-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench --target bench_link bench_startup bench_idle zr35-mouse-software
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export ZR35_DEVICES=
repetitions="${BENCH_REPETITIONS:-15}"

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
# A first showing happens once per process: it is measured in fresh processes, and their medians
# are reported (BENCH_FIRST_STARTS, default 9).
first_starts="${BENCH_FIRST_STARTS:-9}"
echo
echo "== first showing in a fresh process (medians of $first_starts processes)"
for _ in $(seq "$first_starts"); do
  build/bench/bench/bench_startup --first-only 2>/dev/null | grep '^first'
done | awk '{ empty[NR] = $7; home[NR] = $11 }
  function median(v, n,   i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j-1] > v[j]; j--) { t = v[j]; v[j] = v[j-1]; v[j-1] = t }
    return n % 2 ? v[(n+1)/2] : (v[n/2] + v[n/2+1]) / 2 }
  END { printf "first in a process: empty widget %.2f ms, home page %.2f ms (zero latency)\n",
        median(empty, NR), median(home, NR) }'
for bench in bench_link bench_startup; do
  echo
  echo "== $bench (medians of $repetitions repetitions)"
  "build/bench/bench/$bench" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_display_aggregates_only=true \
    --benchmark_filter="${BENCH_FILTER:-.}" 2>&1 | grep -E '_median|^Benchmark|^-' || true
done
echo
echo "== bench_idle"
# The program's own debug lines are left out.
build/bench/bench/bench_idle "${BENCH_IDLE_SECONDS:-20}" 2>/dev/null | grep "^idle"
