#!/usr/bin/env bash
# Our JP2 decode of the benchmark's 1920x1080 picture against OpenJPEG's opj_decompress of the
# same file (median wall times, less opj_decompress's start-up; it also writes a PPM), and our
# PNM decode against a plain read of the same bytes (both from the Google Benchmark JSON).
set -euo pipefail
build=${1:-build-bench}
fixture="${LV_BENCH_FIXTURE_DIR:-${TMPDIR:-/tmp}}/lumivista_bench_screen_1920x1080.jp2"
json="$build/bench.json"
if [ ! -f "$json" ]; then
  echo "peers: jpeg2000 skipped (no benchmark results)"
  exit 0
fi

# Our real time in milliseconds of one benchmark from the JSON (its name may carry suffixes
# such as /real_time).
ours_ms() {
  awk -v name="\"$1" '
    function ms(t, u) { return t * ((u == "ns") ? 1e-6 : (u == "us") ? 1e-3 : (u == "s") ? 1e3 : 1) }
    $1 == "\"name\":" && index($2, name) == 1 && !found { found = 1 }
    found && $1 == "\"real_time\":" { gsub(",", "", $2); t = $2 }
    found && $1 == "\"time_unit\":" { u = $2; gsub(/[",]/, "", u); printf "%.3f\n", ms(t, u); exit }' "$json"
}

pnm=$(ours_ms BM_PnmDecode1920x1080)
plain=$(ours_ms BM_PnmPlainRead1920x1080)
if [ -n "$pnm" ] && [ -n "$plain" ]; then
  awk -v o="$pnm" -v p="$plain" 'BEGIN {
    printf "peers: pnm decode %.2f ms, plain read %.2f ms\n", o, p
    printf "ratio pnm_decode_vs_plain_read %.3f\n", o / p }'
fi

jp2=$(ours_ms BM_Jp2Decode1920x1080)
if [ -z "$jp2" ] || [ ! -f "$fixture" ] || ! command -v opj_decompress >/dev/null; then
  echo "peers: jp2_decode_vs_opj_decompress skipped (no result, fixture or opj_decompress)"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Median wall time of a command over seven runs, in microseconds.
median_us() {
  local runs=() start end
  for _ in 1 2 3 4 5 6 7; do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    runs+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n 4p
}
# The peer's decode is its run on the file less its start-up (the same program printing its
# help), as ours runs inside the benchmark's process.
whole_us=$(median_us opj_decompress -i "$fixture" -o "$work/out.ppm")
startup_us=$(median_us opj_decompress -h)
awk -v o="$jp2" -v w="$whole_us" -v s="$startup_us" 'BEGIN {
  p = (w - s) / 1000; if (p < 0.1) p = 0.1
  printf "peers: jp2 decode ours %.1f ms, opj_decompress %.1f ms (%.1f ms with start-up)\n", o, p, w / 1000
  printf "ratio jp2_decode_vs_opj_decompress %.3f\n", o / p }'
