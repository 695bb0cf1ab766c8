#!/usr/bin/env bash
# A picture the program cannot write: one line on stderr naming the file and the reason,
# exit status 1, and whatever was there before left as it was.
set -euo pipefail
program=$1
work=$2
if [ "${3:-}" != --on-display ]; then
  rm -rf "$work"
  mkdir -p "$work"
  # One display for every case. Its status is not the test's: under load, xvfb-run's own
  # clean-up now and then fails after the program has ended.
  xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program" "$work" --on-display || true
  [ -f "$work/passed" ]
  exit
fi
# Unset, Qt warns about it on stderr, which must hold one line only.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
failures=0

# expect_failure PICTURE REASON [FILE-SIZE LIMIT IN KIB]
expect_failure() {
  local picture=$1 reason=$2 limit=${3:-unlimited} status=0
  bash -c 'ulimit -f "$1"; shift; exec "$@"' limit "$limit" "$program" --screenshot "$picture" \
    >"$work/out" 2>"$work/err" || status=$?
  local expected="boardwright: cannot write the picture to $picture: $reason"
  if [ "$status" -ne 1 ] || [ "$(cat "$work/err")" != "$expected" ] || grep -q written "$work/out"; then
    echo "FAILED: $picture (limit $limit): status $status, expected 1 and the line: $expected"
    echo "stderr:"; cat "$work/err"
    echo "stdout:"; cat "$work/out"
    failures=$((failures + 1))
  else
    echo "ok: $expected"
  fi
}

# Under a regular file: nothing can be created, and the file stays as it was.
printf 'plain' >"$work/plain"
expect_failure "$work/plain/window.png" "Not a directory"
[ "$(cat "$work/plain")" = plain ] || { echo "FAILED: the file in the folder's place changed"; failures=$((failures + 1)); }

expect_failure "$work/missing/window.png" "No such file or directory"
[ ! -e "$work/missing" ] || { echo "FAILED: the missing folder was made"; failures=$((failures + 1)); }

# A file-size limit far below a picture's size: the write fails, the old picture stays.
printf 'the old picture' >"$work/old.png"
expect_failure "$work/old.png" "File too large" 4
[ "$(cat "$work/old.png")" = "the old picture" ] || { echo "FAILED: the old picture changed"; failures=$((failures + 1)); }
leftovers=$(find "$work" -maxdepth 1 -name 'old.png.*')
[ -z "$leftovers" ] || { echo "FAILED: left behind: $leftovers"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && touch "$work/passed"
