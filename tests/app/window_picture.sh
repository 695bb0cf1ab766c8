#!/usr/bin/env bash
# Starts the program under Xvfb, lets it write a picture of its window and checks that the
# picture shows a real window (many colours, not a blank screen) and that it ended cleanly.
set -euo pipefail
program=$1
picture=$2
rm -f "$picture"
xvfb-run -a -s "-screen 0 1280x1024x24" "$program" --screenshot "$picture"
[ -s "$picture" ] || { echo "no picture written"; exit 1; }
colours=$(convert "$picture" -format %k info:)
echo "picture $picture has $colours colours"
[ "$colours" -gt 50 ] || { echo "the picture looks blank"; exit 1; }
