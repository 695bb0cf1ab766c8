#!/usr/bin/env bash
# Fails when any C++ file of the tree differs from .clang-format, naming the first places.
set -euo pipefail
source_dir=$1
cd "$source_dir"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
[ ${#files[@]} -gt 0 ] || { echo "no C++ files found under $source_dir"; exit 1; }
report=$(clang-format --dry-run "${files[@]}" 2>&1 || true)
if [ -n "$report" ]; then
  echo "$report" | grep 'warning:' | head -n 20
  echo "$(echo "$report" | grep -c 'warning:') places differ from .clang-format; run clang-format -i on the files named"
  exit 1
fi
echo "${#files[@]} files match .clang-format"
