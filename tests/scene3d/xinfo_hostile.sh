#!/bin/sh
# xinfo on the hostile files under a 1 GiB cap on memory: the compressed ones are refused
# with a message (unknown.x after skipping as many objects as a file may hold), the
# amplified one (references are printed, not followed) is described.
# usage: xinfo_hostile.sh MAKE_HOSTILE_X XINFO WORKDIR [sanitize]
make_hostile=$1
xinfo=$2
work=$3
if [ "$4" = sanitize ]; then
  echo "skipped: AddressSanitizer cannot run under ulimit -v; the default build runs this test"
  exit 77
fi
rm -rf "$work" && mkdir -p "$work" || exit 1
"$make_hostile" "$work" || exit 1
status=0
for file in bomb frames unknown; do
  ( ulimit -v 1048576; "$xinfo" "$work/$file.x" >"$work/$file.out" 2>"$work/$file.err" )
  code=$?
  if [ $code -ne 1 ] || ! grep -q "more than" "$work/$file.err"; then
    echo "$file.x: exit $code, expected 1 with a refusal:"; head -c 400 "$work/$file.err"; status=1
  fi
done
( ulimit -v 1048576; "$xinfo" "$work/amplified.x" >"$work/amplified.out" 2>"$work/amplified.err" )
code=$?
if [ $code -ne 0 ] || ! grep -q "mesh M: vertices 34, faces 32" "$work/amplified.out"; then
  echo "amplified.x: exit $code, expected its description:"; tail -c 400 "$work/amplified.err"; status=1
fi
rm -rf "$work"
[ $status -eq 0 ] && echo "xinfo refused the compressed files and described the amplified one within 1 GiB"
exit $status
