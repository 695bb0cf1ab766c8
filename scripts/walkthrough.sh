#!/usr/bin/env bash
# Walks a whole tower design and a whole laptop design through the real program on a
# virtual display and saves screenshots of the way into shots/walk-*.png. The pointer
# positions fit the 96-dpi layout on a 1280 x 1024 screen; every stage's buttons are
# clicked and any popup they open answers with its first item (or its submenu's first).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
mkdir -p shots
program="$PWD/build/default/app/boardwright"

walk() {
  local enclosure=$1 stages=$2
  "$program" "${@:3}" &
  local pid=$!
  sleep 3
  click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
  shot() { import -window root "shots/walk-$enclosure-$1.png"; }
  [ "$enclosure" = laptop ] && click 651 522   # the Laptop option of the Design dialog
  click 653 557                                # OK
  for stage in $(seq 1 "$stages"); do
    click 1112 202                             # Next Stage
    xdotool key Return; sleep 0.4              # the stage dialog's OK (its default button)
    xdotool mousemove 700 190; sleep 0.2       # over the bare toolbar: hover reset
    for row in 0 1 2 3 4 5 6; do
      click 160 $((268 + 57 * row))
      xdotool key Down Right Return; sleep 0.4  # a popup takes its first item
      xdotool key Escape Escape; sleep 0.2
    done
    xdotool mousemove 700 190; sleep 0.2
    case $stage in 1|4|8|$stages) shot "stage$stage" ;; esac
  done
  click 1112 202; sleep 0.5; shot finished     # the last Next shows the closing dialog
  click 220 202; sleep 0.5; shot inventory     # the inventory of the whole design
  kill "$pid"
}

export -f walk
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "program=$program; $(declare -f walk); walk tower 10"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "program=$program; $(declare -f walk); walk laptop 11"
echo "Screenshots in $PWD/shots/walk-*.png"
