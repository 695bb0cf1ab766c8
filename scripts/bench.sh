#!/usr/bin/env bash
# Installs what the benchmarks need, builds the bench preset and runs every benchmark:
# model loading against Assimp, drawing the full model on both devices, picking, and the
# start-up of the real program. Prints one table. The OpenGL parts and the start-up run on
# a virtual display (Xvfb, Mesa's llvmpipe) unless one is there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Needed by the benchmarks only: the peer importer, a JSON reader, GNU time.
bench_packages=(libassimp-dev jq time)
missing=()
for p in "${bench_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

# What a step prints goes to a log, shown only when the step fails.
quietly() {
  "$@" >>"$results/log" 2>&1 || { cat "$results/log" >&2; exit 1; }
}

# The preset builds everything, the model files and the program included.
echo "Building the bench preset..." >&2
quietly cmake --preset bench
quietly cmake --build --preset bench -j "$(nproc)"

on_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  fi
}

echo "Running the benchmarks (about three minutes)..." >&2
# Loading like for like: one core each side (pinned; the figures are the process's CPU
# time), as many parses each, the repetitions of both sides interleaved so that a machine
# slowing down or speeding up meanwhile weighs on both alike. The start-up path reads ahead
# on the other cores.
quietly taskset -c 0 build/bench/bench/bench_model_load --benchmark_filter=OneCore \
  --benchmark_enable_random_interleaving=true \
  --benchmark_out="$results/load.json" --benchmark_out_format=json
quietly build/bench/bench/bench_model_load --benchmark_filter=Startup \
  --benchmark_out="$results/load-startup.json" --benchmark_out_format=json
quietly taskset -c 0 build/bench/bench/bench_model_scaling --benchmark_filter=ScaledLoad \
  --benchmark_enable_random_interleaving=true --benchmark_out="$results/scaling-load.json" --benchmark_out_format=json
quietly taskset -c 0 build/bench/bench/bench_model_scaling --benchmark_filter=ScaledFrame \
  --benchmark_out="$results/scaling-frame.json" --benchmark_out_format=json
# One frame on the reference rasterizer: 1024 x 768 on one core, 2560 x 1440 on two. The
# OpenGL frame and the pick (one thread either way) come from the unpinned run.
quietly on_display taskset -c 0 build/bench/bench/bench_model_view --benchmark_filter='Draw.*opengl:0' \
  --benchmark_out="$results/frame-one-core.json" --benchmark_out_format=json
quietly on_display taskset -c 0,1 build/bench/bench/bench_model_view --size=2560x1440 \
  --benchmark_filter='Draw.*opengl:0' --benchmark_out="$results/frame-large.json" --benchmark_out_format=json
quietly on_display build/bench/bench/bench_model_view --benchmark_out="$results/view.json" \
  --benchmark_out_format=json

# Start-up: from the process starting to the Design dialog drawn, then Exit. Each run
# gives its milliseconds and peak resident set (KB) on one line, or "failed".
# The yardstick, bench_bare_dialog, is timed the same way in the same rounds: a bare Qt
# Widgets program that shows one dialog and quits after its first paint. So is
# bench_gl_dialog, that dialog with the least OpenGL drawing beside it: the floor for any
# start-up on OpenGL here.
startup_once() {
  on_display bash -c '
    start=$(date +%s%N)
    if BOARDWRIGHT_EXIT_AT_DESIGN_DIALOG=1 /usr/bin/time -f "%M" -o "$1" "${@:2}" 2>/dev/null
    then echo "$(( ($(date +%s%N) - start) / 1000000 )) $(tail -n 1 "$1")"
    else echo failed
    fi' _ "$results/time.txt" "$@"
}
for _ in $(seq 11); do
  startup_once build/bench/bench/bench_bare_dialog >>"$results/startup-bare.txt"
  startup_once build/bench/app/boardwright >>"$results/startup-gl.txt"
  startup_once build/bench/app/boardwright --reference-device >>"$results/startup-ref.txt"
  startup_once build/bench/bench/bench_gl_dialog >>"$results/startup-gl-floor.txt"
done

# The median of a benchmark's repetitions in unit (ms or us), of its real time or, with
# a fourth argument cpu_time, of its CPU time; "n/a" when it did not run.
median() {
  local file=$1 name=$2 unit=$3 field=${4:-real_time}
  jq -r --arg name "$name" --arg unit "$unit" --arg field "$field" '
    def ms: if . == "ns" then 1e-6 elif . == "us" then 1e-3 elif . == "ms" then 1 else 1e3 end;
    [.benchmarks[] | select((.run_name | startswith($name)) and .aggregate_name == "median"
                            and (.error_occurred | not))]
    | if length == 0 then "n/a"
      else .[0] | .[$field] * (.time_unit | ms) * (if $unit == "us" then 1e3 else 1 end) end' "$file"
}
# A counter of a benchmark's median row; "n/a" when it did not run.
counter() {
  jq -r --arg name "$2" --arg counter "$3" '
    [.benchmarks[] | select((.run_name | startswith($name)) and .aggregate_name == "median")
                   | .[$counter]][0] // "n/a"' "$1"
}
# Of a start-up file: the median time, the largest peak; "n/a" when a run failed.
startup_ms() { sort -n "$1" | awk '/failed/ { bad = 1 } { v[NR] = $1 } END { print (bad || !NR) ? "n/a" : v[int((NR + 1) / 2)] }'; }
startup_mb() { awk '/failed/ { bad = 1 } $2 > m { m = $2 } END { print (bad || !NR) ? "n/a" : m / 1024 }' "$1"; }
# a / b, or n/a.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "n/a" || b == "n/a") ? "n/a" : sprintf("%.2f", a / b) }'; }
# yes when VALUE OP LIMIT holds (OP is < <= >=); n/a is never met.
met() {
  awk -v v="$1" -v op="$2" -v limit="$3" 'BEGIN {
    if (v == "n/a") { print "no"; exit }
    ok = (op == "<") ? v + 0 < limit : (op == "<=") ? v + 0 <= limit : v + 0 >= limit
    print ok ? "yes" : "no" }'
}
# A number with its unit, 2 decimals below 10 and 1 above.
fmt() { awk -v v="$1" -v u="$2" 'BEGIN { if (v == "n/a") print v; else printf "%.*f %s", (v < 10 ? 2 : 1), v, u }'; }
row() { printf '%-40s %12s  %-18s %-22s %s\n' "$1" "$2" "$3" "$4" "$5"; }

load=$(median "$results/load.json" "BM_LoadOneCore_Boardwright/" ms cpu_time)
assimp=$(median "$results/load.json" "BM_LoadOneCore_Assimp/" ms cpu_time)
parses=$(counter "$results/load.json" "BM_LoadOneCore_Boardwright/" parses)
load_startup=$(median "$results/load-startup.json" "BM_LoadStartup_Boardwright/" ms)
reads=$(counter "$results/load-startup.json" "BM_LoadStartup_Boardwright/" reads)
draw_ref=$(median "$results/view.json" "BM_DrawFullModel/opengl:0/" ms)
draw_gl=$(median "$results/view.json" "BM_DrawFullModel/opengl:1/" ms)
draw_one_core=$(median "$results/frame-one-core.json" "BM_DrawFullModel/opengl:0/" ms)
draw_large=$(median "$results/frame-large.json" "BM_DrawFullModel/opengl:0/" ms)
pass_us=$(median "$results/view.json" "BM_PickFullModel/" us)
pick=$(ratio "$pass_us" 100) # a pass picks 100 pixels
start_gl=$(startup_ms "$results/startup-gl.txt")
start_ref=$(startup_ms "$results/startup-ref.txt")
rss_gl=$(startup_mb "$results/startup-gl.txt")
rss_ref=$(startup_mb "$results/startup-ref.txt")
start_bare=$(startup_ms "$results/startup-bare.txt")
rss_bare=$(startup_mb "$results/startup-bare.txt")
start_gl_floor=$(startup_ms "$results/startup-gl-floor.txt")
start_gl_ratio=$(ratio "$start_gl" "$start_bare")
start_gl_floor_ratio=$(ratio "$start_gl_floor" "$start_bare")
start_ref_ratio=$(ratio "$start_ref" "$start_bare")
faster=$(ratio "$assimp" "$load")
slower=$(ratio "$draw_ref" "$draw_gl")

echo
echo "$(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores, $(free -g | awk '/^Mem:/ { print $2 }') GB RAM"
echo "Medians of at least 5 runs; each yardstick timed in the same run."
row "measure" "Boardwright" "yardstick" "ratio / target" "met"
row "model loading, 1 core, ${parses%.*} parses" "$(fmt "$load" ms)" "Assimp $(fmt "$assimp" ms)" \
  "${faster}x faster (>= 5x)" "$(met "$faster" ">=" 5)"
row "model loading, start-up path, ${reads%.*} reads" "$(fmt "$load_startup" ms)" "-" "reported apart" "-"
row "start-up to Design dialog, reference" "$(fmt "$start_ref" ms)" "bare $(fmt "$start_bare" ms)" \
  "${start_ref_ratio}x bare (<= 1.5x)" "$(met "$start_ref_ratio" "<=" 1.5)"
row "start-up to Design dialog, OpenGL" "$(fmt "$start_gl" ms)" "bare $(fmt "$start_bare" ms)" \
  "${start_gl_ratio}x bare (<= 2x)" "$(met "$start_gl_ratio" "<=" 2)"
row "  floor: the bare dialog + least OpenGL" "$(fmt "$start_gl_floor" ms)" "bare $(fmt "$start_bare" ms)" \
  "${start_gl_floor_ratio}x bare" "-"
row "frame, reference, 1024x768, 1 core" "$(fmt "$draw_one_core" ms)" "-" "<= 4 ms" \
  "$(met "$draw_one_core" "<=" 4)"
row "frame, reference, 2560x1440, 2 cores" "$(fmt "$draw_large" ms)" "-" "<= 10 ms" "$(met "$draw_large" "<=" 10)"
row "frame, reference, 1024x768, all cores" "$(fmt "$draw_ref" ms)" "OpenGL $(fmt "$draw_gl" ms)" \
  "${slower}x OpenGL (<= 1.5x)" "$(met "$slower" "<=" 1.5)"
row "frame, OpenGL on llvmpipe, 1024x768" "$(fmt "$draw_gl" ms)" "-" "< 20 ms" "$(met "$draw_gl" "<" 20)"
row "pick (ViewportPick + FindNearest)" "$(fmt "$pick" us)" "-" "<= 200 us" "$(met "$pick" "<=" 200)"
row "peak resident memory, reference" "$(fmt "$rss_ref" MB)" "bare $(fmt "$rss_bare" MB)" "<= 40 MB" \
  "$(met "$rss_ref" "<=" 40)"
row "peak resident memory, OpenGL" "$(fmt "$rss_gl" MB)" "bare $(fmt "$rss_bare" MB)" "< 150 MB" \
  "$(met "$rss_gl" "<" 150)"

# How loading (one core each side) and one reference frame grow with the triangles.
echo
printf '%-8s %10s  %-14s %-14s %-10s %s\n' "factor" "triangles" "load, ours" "load, Assimp" "ratio" "frame, reference, 1 core"
for factor in 1 4 16; do
  ours=$(median "$results/scaling-load.json" "BM_ScaledLoad_Boardwright/factor:$factor/" ms cpu_time)
  peer=$(median "$results/scaling-load.json" "BM_ScaledLoad_Assimp/factor:$factor/" ms cpu_time)
  frame=$(median "$results/scaling-frame.json" "BM_ScaledFrame/factor:$factor/" ms)
  triangles=$(counter "$results/scaling-load.json" "BM_ScaledLoad_Boardwright/factor:$factor/" triangles)
  printf '%-8s %10s  %-14s %-14s %-10s %s\n' "${factor}x" "${triangles%.*}" "$(fmt "$ours" ms)" \
    "$(fmt "$peer" ms)" "$(ratio "$peer" "$ours")x" "$(fmt "$frame" ms)"
done
