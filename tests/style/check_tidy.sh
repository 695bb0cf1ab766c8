#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy) over every source of the program that the
# build compiles, and fails on any finding. Tests, benchmarks and fuzz targets are left out
# to keep CI short; `check_tidy.sh SOURCE BUILD all` takes them in too.
set -euo pipefail
source_dir=$1
build_dir=$2
scope=${3:-program}
cd "$source_dir"
[ -f "$build_dir/compile_commands.json" ] || { echo "no compile_commands.json in $build_dir"; exit 1; }
compiled=$(grep -o '"file": *"[^"]*\.cpp"' "$build_dir/compile_commands.json" | sed 's/.*"\([^"]*\)"$/\1/' | sort -u)
files=()
while IFS= read -r file; do
  grep -qxF "$source_dir/$file" <<<"$compiled" && files+=("$file")
done < <(if [ "$scope" = all ]; then git ls-files -- '*.cpp'; else git ls-files -- '*.cpp' ':!tests' ':!bench' ':!fuzz'; fi)
[ ${#files[@]} -gt 0 ] || { echo "no compiled sources found"; exit 1; }
report=$(mktemp)
trap 'rm -f "$report"' EXIT
printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build_dir" --quiet >"$report" 2>/dev/null || true
if grep -q 'error:\|warning:' "$report"; then
  grep -A3 'error:\|warning:' "$report" | head -n 60
  echo "$(grep -c 'error:\|warning:' "$report") clang-tidy findings in ${#files[@]} files"
  exit 1
fi
echo "${#files[@]} files pass clang-tidy"
