#!/usr/bin/env bash
# Makes screenshots/main-window.png from the real program: the main window as it looks
# after start-up, drawn by the software rasterizer so that every machine gets the same
# pixels. Run it after the window changes and check the result in.
#   packaging/update-screenshot.sh [path/to/boardwright]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build/default/app/boardwright}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# From an empty folder, with its own settings, so that nothing of this machine shows.
cd "$work"
HOME="$work" XDG_CONFIG_HOME="$work/config" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$program" --reference-device --screenshot "$work/screen.png"
# The window sits on a black screen: keep the window only.
convert "$work/screen.png" -trim +repage -strip "$here/screenshots/main-window.png"
echo "wrote $here/screenshots/main-window.png ($(identify -format '%wx%h' "$here/screenshots/main-window.png"))"
