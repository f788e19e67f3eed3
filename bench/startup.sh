#!/usr/bin/env bash
# Start-up against the size of the theme: the saver shows the first slide of a theme of 1,
# 200, 2,000 and 10,000 small pictures headless and ends, beside `cp -r` of a folder holding
# the same picture files. What a theme of one picture takes (starting the program, the first
# slide, ending) is the fixed part; the rest grows with the theme. Targets: the growing part
# within 3x cp, and 2,000 pictures within 12x the time of 200.
# Prints "startup <pictures> <ms>" and "ratio <name> <value>".
set -euo pipefail
build=${1:-build-bench}
saver="$build/saver/Lumivista"
maker="$build/bench/lv_bench_theme"
if [ ! -x "$saver" ] || [ ! -x "$maker" ]; then
  echo "startup: $saver or $maker is missing; not measured"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(cd "$(dirname "$0")" && pwd)/peer_timing.sh"

# The saver looks for the theme of the title it was built with.
title=$(sed -n 's/^LV_THEME_TITLE:INTERNAL=//p' "$build/CMakeCache.txt")
declare -A total copy
for pictures in 1 200 2000 10000; do
  dir="$work/$pictures"
  mkdir -p "$dir/program"
  "$maker" "$dir/program/$title.dat" "$title" "$pictures" "$dir/pictures"
  cp "$saver" "$dir/program/$title.scr"
  total[$pictures]=$(median_ms env LUMIVISTA_ROOT="$dir/root" LUMIVISTA_DISPLAY=headless \
    LUMIVISTA_CLOCK=virtual LUMIVISTA_QUIT_AFTER=1 SDL_AUDIODRIVER=dummy \
    "$dir/program/$title.scr" /s)
  copy[$pictures]=$(median_ms bash -c "cp -r '$dir/pictures' \"\$(mktemp -d -p '$dir')/copy\"")
  echo "startup $pictures pictures: ${total[$pictures]} ms, cp ${copy[$pictures]} ms"
  rm -rf "$dir"
done
fixed=${total[1]}
for pictures in 200 2000 10000; do
  awk -v n="$pictures" -v t="${total[$pictures]}" -v f="$fixed" -v c="${copy[$pictures]}" \
    'BEGIN { d = t - f; if (d < 0) d = 0; printf "ratio startup_%d_vs_cp %.3f\n", n, d / c }'
done
awk -v a="${total[2000]}" -v b="${total[200]}" \
  'BEGIN { printf "ratio startup_2000_vs_200 %.3f\n", a / b }'

# The extraction alone, in the benchmark program: BM_LoadThemeOfPictures/2000 against cp of the
# folder that holds the same files.
json="$build/bench.json"
pictures="${TMPDIR:-/tmp}/lv_theme_load_bench/2000/pictures"
if [ -f "$json" ] && [ -d "$pictures" ]; then
  ours=$(ours_ms BM_LoadThemeOfPictures/2000)
  copied=$(median_ms bash -c "cp -r '$pictures' \"\$(mktemp -d -p '$work')/copy\"")
  if [ -n "$ours" ]; then
    awk -v o="$ours" -v c="$copied" 'BEGIN { printf "ratio theme_load_2000_vs_cp %.3f\n", o / c }'
  fi
fi
