#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, and only those that are
# missing. Runs `apt-get update` at most once. Works as root and through sudo otherwise.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qtbase5-dev qtbase5-dev-tools libqt5svg5-dev libx11-dev libpng-dev
  xvfb xauth fonts-dejavu-core
  trayer xdotool
  clang libclang-rt-14-dev qtbase5-private-dev
  libbenchmark-dev
)

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
