#!/usr/bin/env bash
# tools/tsan.sh [test...]
# ThreadSanitizer run of the device-link tests: builds them with clang and -fsanitize=thread in
# build/tsan and runs each once (or the tests named), with tools/tsan/qtlocks preloaded so that the
# sanitizer sees what Qt's locks do (Debian's Qt is not built for it). tools/tsan/qt.supp names the
# reports that lie wholly inside Qt. Each test's reports go to build/tsan/logs/<test>.log.*; a test
# that fails, or whose run reports a race, fails the run. Not part of ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

link_tests=(tst_devicestate tst_postmsg tst_devicelibthreads tst_deviceeventcallback
            tst_devicewrite tst_worker tst_discovery tst_devicelink_e2e tst_linkfaults
            tst_linkload tst_linkintegrity)
if [ $# -gt 0 ]; then
  link_tests=("$@")
fi

./tools/ensure-deps.sh
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DZR35_TSAN=ON >/dev/null
cmake --build build/tsan -j"${TSAN_JOBS:-4}" --target zr35_tsan_qtlocks zr35_assets "${link_tests[@]}"

logs=build/tsan/logs
rm -rf "$logs"
mkdir -p "$logs"
export QT_QPA_PLATFORM=offscreen
export ZR35_DEVICES=
options="suppressions=$root/tools/tsan/qt.supp second_deadlock_stack=1 history_size=7 exitcode=66"
preload="$root/build/tsan/tools/libzr35_tsan_qtlocks.so"

failed=()
for name in "${link_tests[@]}"; do
  binary=$(find build/tsan/tests -type f -name "$name" -perm -u+x | head -n 1)
  if [ -z "$binary" ]; then
    echo "no test named $name" >&2
    exit 2
  fi
  echo "== $name"
  status=0
  TSAN_OPTIONS="$options log_path=$root/$logs/$name.log" LD_PRELOAD="$preload" \
    timeout 1200 "$binary" >"$logs/$name.out" 2>&1 || status=$?
  grep -E '^Totals' "$logs/$name.out" || true
  races=$(cat "$logs/$name.log".* 2>/dev/null | grep -c '^WARNING: ThreadSanitizer' || true)
  if [ "$status" -ne 0 ] || [ "$races" -gt 0 ]; then
    failed+=("$name")
    echo "$name: exit $status, $races report(s): see $logs/$name.out and $logs/$name.log.*" >&2
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "failed or raced: ${failed[*]}" >&2
  exit 1
fi
echo "no race reported"
