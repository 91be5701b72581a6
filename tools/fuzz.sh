#!/usr/bin/env bash
# tools/fuzz.sh [target] [seconds]
# Time-bounded fuzzing: builds the fuzz configuration (build/fuzz, clang) and fuzzes one target
# (devicecache, configini, languageloader, ...) or every target, for `seconds` each (default 60).
# Inputs that find new code are kept in build/fuzz/work/<target>, seeded from fuzz/corpus/<target>,
# never in the repository. Crash, leak, timeout and out-of-memory inputs are written to
# fuzz/regressions/<target>/: fix the reader, then keep the input there (./test.sh replays it)
# and, where it helps a reader understand the fault, add a smaller one to the seed corpus.
# Exits non-zero when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

only=${1:-}
seconds=${2:-60}

./tools/ensure-deps.sh
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DZR35_FUZZ=ON >/dev/null
cmake --build build/fuzz >/dev/null

# The targets this tree builds (a target whose reader has not landed yet is not among them).
targets=()
while read -r name; do
  if [ -z "$only" ] || [ "$only" = "$name" ]; then
    targets+=("$name")
  fi
done < <(cd build/fuzz && ctest -N | sed -n 's/^ *Test *#[0-9]*: fuzz_//p')
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz target named '$only'; see fuzz/README.md" >&2
  exit 2
fi

export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
failed=()
for name in "${targets[@]}"; do
  binary="build/fuzz/fuzz/fuzz_$name"
  work="build/fuzz/work/$name"
  regressions="fuzz/regressions/$name"
  mkdir -p "$work" "$regressions"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512
           -artifact_prefix="$regressions/" -print_final_stats=1)
  if [ -f "fuzz/dict/$name.dict" ]; then
    options+=(-dict="fuzz/dict/$name.dict")
  fi
  echo "== fuzz_$name for ${seconds} s"
  if ! "$binary" "${options[@]}" "$work" "fuzz/corpus/$name" 2>"build/fuzz/work/$name.log"; then
    failed+=("$name")
    echo "fuzz_$name found a fault: see build/fuzz/work/$name.log and $regressions/" >&2
    tail -n 40 "build/fuzz/work/$name.log" >&2
  else
    grep -E '^(#[0-9]+|stat::)' "build/fuzz/work/$name.log" | tail -n 4
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "faults found by: ${failed[*]}" >&2
  exit 1
fi
