#!/usr/bin/env bash
# Installs what is missing, builds and starts Boardwright. Without a display it runs the
# program on a virtual one, writes a picture of the window after start-up and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
program=build/default/app/boardwright
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" "$@"
fi
mkdir -p shots
picture="$PWD/shots/startup.png"
xvfb-run -a -s "-screen 0 1280x1024x24" "$program" --screenshot "$picture" "$@"
echo "No display here: Boardwright ran on a virtual display; its window is pictured in $picture"
