#!/usr/bin/env bash
# With no display to open, the program says so in one line and ends with status 1, where
# Qt alone would print a paragraph about plugins and abort. Help still needs no display.
set -euo pipefail
program=$1
status=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" 2>&1 >/dev/null) || status=$?
expected="boardwright: no display could be opened (Qt platform xcb)"
if [ "$status" -ne 1 ] || [ "$err" != "$expected" ]; then
  echo "FAILED: status $status, expected 1 and the line: $expected"
  echo "stderr:"; echo "$err"
  exit 1
fi
echo "ok: $expected"
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" --help | grep -q -- --screenshot
echo "ok: --help without a display"
