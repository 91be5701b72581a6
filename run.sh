#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with its simulated devices.
set -euo pipefail
cd "$(dirname "$0")"
./tools/ensure-deps.sh run
./tools/build-program.sh
exe=build/release/app/zr35-mouse-software
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program under xvfb-run (an invisible X server)."
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$exe" "$@"
fi
exec "$exe" "$@"
