#!/usr/bin/env bash
# Installs the Debian packages a set needs, and only those that are missing. Runs `apt-get update`
# at most once. Works as root and through sudo otherwise.
#
#   tools/ensure-deps.sh run    what building and running the program needs (./run.sh)
#   tools/ensure-deps.sh test   that and what the tests, the fuzz targets, the thread checks and
#                               the benchmarks need (the default)
set -euo pipefail

# The build (the picture tool letters its pictures in DejaVu Sans and writes them with libpng; the
# platform layer talks to X11), xvfb-run with its xauth for a machine without a display, and Qt's
# own translations, so that the toolkit's file and colour dialogs follow the chosen language.
run_packages=(
  cmake ninja-build g++
  qtbase5-dev qtbase5-dev-tools libx11-dev libpng-dev
  xvfb xauth fonts-dejavu-core qttranslations5-l10n
)
# A tray host and the pointer for the tests that drive the real program on X11; clang and its
# sanitizer runtimes for the fuzz targets and the thread checks, zlib for a fuzz target's
# checksum; Qt's private headers for the thread checks' Qt shim (it reads Qt's queued call);
# Google Benchmark for bench/; clang-format for the format check.
test_packages=(
  trayer xdotool
  clang libclang-rt-14-dev zlib1g-dev clang-format-14
  qtbase5-private-dev
  libbenchmark-dev
)

case "${1:-test}" in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*)
  echo "usage: $0 [run|test]" >&2
  exit 2
  ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
