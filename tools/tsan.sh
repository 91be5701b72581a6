#!/usr/bin/env bash
# tools/tsan.sh [test...]
# ThreadSanitizer run of every test that starts the device link, the simulated device library or
# the program: builds them with clang and -fsanitize=thread in build/tsan and runs each once (or
# the tests named), with tools/tsan/qtlocks preloaded so that the sanitizer sees what Qt's locks
# and queued calls do (Debian's Qt is not built for it). tools/tsan/qt.supp names the reports that
# lie wholly inside Qt. Each test's reports go to build/tsan/logs/<test>.log.*; a test that fails,
# or whose run reports a race, fails the run. Not part of ./test.sh.
#
# First the shim is checked on a program of its own (tools/tsan/selftest.cpp): its races (one
# across an unrelated queued call, one across an unrelated thread's end) must be reported and its
# real hand-overs must not, or nothing the run says can be trusted.
#
# TSAN_JOBS: parallel compile jobs (4); TSAN_RUNS: tests run at once (2).
# CMAKE_CXX_COMPILER_LAUNCHER=ccache in the environment builds through ccache.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# A test counts when its source reaches the simulated library or the device link, or starts the
# program, itself or through a helper of tests/ whose source does (it includes that helper's
# header). The device state's and the hub's own tests count too: they drive them from threads.
threaded=(tst_devicestate tst_postmsg)
reaches='SimulationControl|SelectAndReadDevice|DeviceLink::|StartServer|UsbFinderC_|UsbServer|Worker|LinkFixture|waitForLibraryCallbacks|AppProcess'
discover() {
  local helpers
  helpers=$(grep -lE "$reaches" $(find tests -name '*.cpp' ! -name 'tst_*') |
            sed -E 's#.*/([^/]+)\.cpp$#\1#' | paste -sd '|')
  grep -lE "$reaches|#include \"tests/.*/($helpers)\.h\"" $(find tests -name 'tst_*.cpp') |
    sed -E 's#.*/([^/]+)\.cpp$#\1#'
  printf '%s\n' "${threaded[@]}"
}

if [ $# -gt 0 ]; then
  tests=("$@")
else
  mapfile -t tests < <(discover | sort -u)
fi

./tools/ensure-deps.sh
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DZR35_TSAN=ON >/dev/null
cmake --build build/tsan -j"${TSAN_JOBS:-4}" --target zr35_tsan_qtlocks zr35_tsan_selftest \
  zr35_assets zr35-mouse-software "${tests[@]}"

logs=build/tsan/logs
rm -rf "$logs"
mkdir -p "$logs"
export QT_QPA_PLATFORM=offscreen
export ZR35_DEVICES=
options="suppressions=$root/tools/tsan/qt.supp second_deadlock_stack=1 history_size=7 exitcode=66"
preload="$root/build/tsan/tools/libzr35_tsan_qtlocks.so"

# run <name> <binary> [arguments...]: writes <name>.out, <name>.log.* and <name>.status.
run() {
  local name=$1 status=0
  shift
  TSAN_OPTIONS="$options log_path=$root/$logs/$name.log" LD_PRELOAD="$preload" \
    timeout 1200 "$@" >"$logs/$name.out" 2>&1 || status=$?
  echo "$status" >"$logs/$name.status"
}

reports() {
  cat "$logs/$1".log.* 2>/dev/null | grep -c '^WARNING: ThreadSanitizer' || true
}

selftest=build/tsan/tools/zr35_tsan_selftest
for race in race thread-race; do
  run "selftest-$race" "$selftest" "$race"
  if [ "$(cat "$logs/selftest-$race.status")" -ne 66 ] ||
     ! cat "$logs/selftest-$race".log.* 2>/dev/null | grep -q 'unlocked'; then
    echo "self-test: the race on an unlocked int ($race) was not reported; the Qt shim orders" \
         "more than Qt does (see $logs/selftest-$race.*)" >&2
    exit 1
  fi
done
run selftest-ordered "$selftest" ordered
if [ "$(cat "$logs/selftest-ordered.status")" -ne 0 ] || [ "$(reports selftest-ordered)" -gt 0 ]; then
  echo "self-test: a hand-over Qt orders was reported as a race; the Qt shim misses one" \
       "(see $logs/selftest-ordered.*)" >&2
  exit 1
fi
echo "self-test: the shim's races reported, its hand-overs seen"

binaries=()
for name in "${tests[@]}"; do
  binary=$(find build/tsan/tests -type f -name "$name" -perm -u+x | head -n 1)
  if [ -z "$binary" ]; then
    echo "no test named $name" >&2
    exit 2
  fi
  binaries+=("$binary")
done

running=0
for i in "${!tests[@]}"; do
  if [ "$running" -ge "${TSAN_RUNS:-2}" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  echo "== ${tests[$i]}"
  run "${tests[$i]}" "${binaries[$i]}" &
  running=$((running + 1))
done
wait || true

failed=()
for name in "${tests[@]}"; do
  status=$(cat "$logs/$name.status")
  races=$(reports "$name")
  if [ "$status" -ne 0 ] || [ "$races" -gt 0 ]; then
    failed+=("$name")
    echo "$name: exit $status, $races report(s): see $logs/$name.out and $logs/$name.log.*" >&2
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "failed or raced: ${failed[*]}" >&2
  exit 1
fi
echo "no race reported in ${#tests[@]} tests"
