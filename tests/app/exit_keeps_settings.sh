#!/usr/bin/env bash
# The program leaves without tearing down its model and windows once its event loop is
# over: what Exit writes must be complete by then, and the status must be the loop's.
# Run from a copy of the program, so that its settings file (next to the executable) is
# the test's own.
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/app"
cp "$program" "$work/app/"
ln -s "$(cd "$(dirname "$program")/.." && pwd)/share" "$work/share"

for device in --reference-device ""; do
  rm -f "$work/app/mbb.ini"
  status=0
  BOARDWRIGHT_EXIT_AT_DESIGN_DIALOG=1 timeout 60 \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$work/app/$(basename "$program")" $device || status=$?
  [ "$status" -eq 0 ] || { echo "FAILED ($device): status $status"; exit 1; }
  [ -f "$work/app/mbb.ini" ] || { echo "FAILED ($device): Exit wrote no settings file"; exit 1; }
  colour=$(head -n 1 "$work/app/mbb.ini" | tr -d '\r')
  [ "$colour" = "0" ] || { echo "FAILED ($device): the settings file holds '$colour', not 0"; exit 1; }
  echo "ok ($device): status 0, settings written"
done
