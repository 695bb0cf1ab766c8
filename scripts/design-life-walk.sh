#!/usr/bin/env bash
# Walks a design's life through the real program on a virtual display: a tower with parts,
# Save, New design, Open of the saved file, then Remove and Undo in the inventory. Writes
# screenshots to shots/life-*.png and compares the model before saving with the model after
# opening. The pointer positions fit the 96-dpi layout on a 1280 x 1024 screen.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${1:-}" = --no-build ] || scripts/build.sh
mkdir -p shots
program="$PWD/build/default/app/boardwright"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

life() {
  set -euo pipefail
  cd "$work"
  "$program" &
  local pid=$!
  sleep 4
  click() { xdotool mousemove "$1" "$2" click 1; sleep 0.5; }
  shot() { import -window root "$shots/life-$1.png"; }
  # No window manager here: keys go to the window that was given the focus last.
  keys() { xdotool search --onlyvisible --name "$title" windowfocus --sync 2>/dev/null || true; xdotool key "$@"; sleep 0.8; }
  dialog() { xdotool search --onlyvisible --name "$1" windowfocus --sync; sleep 0.3; }
  click 653 557                          # the Design dialog's OK: a tower
  local title="— Boardwright"
  click 1112 202; xdotool key Return; sleep 0.5  # Next Stage, then the stage dialog's OK
  xdotool mousemove 700 190; sleep 0.2
  for row in 0 2 4; do                   # three palette buttons; a popup takes its first item
    click 160 $((268 + 57 * row))
    xdotool key Down Right Return; sleep 0.4
    xdotool key Escape Escape; sleep 0.2
  done
  click 1112 202; xdotool key Escape; sleep 0.5  # Next Stage, then Cancel: the panel goes
  shot designed
  keys ctrl+s                            # Save: the dialog proposes Untitled.VELDR here
  dialog "Save as"; xdotool key ctrl+a; xdotool type --delay 20 "$work/tower.VELDR"; xdotool key Return
  sleep 1; shot saved
  keys ctrl+n; sleep 1; shot new         # nothing unsaved: no question, the Design dialog
  dialog "Design"; xdotool key Escape; sleep 0.5
  keys ctrl+o
  dialog "Open"; xdotool type --delay 20 "$work/tower.VELDR"; xdotool key Return
  sleep 2; shot opened
  click 303 396                          # the processor's node in the inventory
  keys Delete; sleep 1; shot removed
  keys ctrl+z; sleep 1; shot undone
  kill "$pid"
}

export program work
shots="$PWD/shots" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "shots=$PWD/shots; $(declare -f life); life"
# The model, right of the inventory and clear of the floating panels: the same after
# opening as before saving, and after Remove then Undo; not the same without the processor.
crop=540x430+470+250
differing() { compare -metric AE "shots/life-$1.png[$crop]" "shots/life-$2.png[$crop]" null: 2>&1 || true; }
echo "pixels differing: opened/designed $(differing designed opened), removed/opened $(differing opened removed)," \
  "undone/opened $(differing opened undone)"
[ "$(differing designed opened)" = 0 ] && [ "$(differing opened undone)" = 0 ] && [ "$(differing opened removed)" != 0 ]
echo "Screenshots in $PWD/shots/life-*.png"
