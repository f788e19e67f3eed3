#!/usr/bin/env bash
# Our JPEG decode of the benchmark's 4000x3000 picture against djpeg of the same libjpeg on the
# same file (median wall times). Plain djpeg streams rows into a small buffer; "djpeg -bmp"
# builds the whole bottom-up B,G,R bitmap first, which is what our decoder delivers.
set -euo pipefail
build=${1:-build-bench}
fixture="${LV_BENCH_FIXTURE_DIR:-${TMPDIR:-/tmp}}/lumivista_bench_photo_4000x3000.jpg"
json="$build/bench.json"
if [ ! -f "$fixture" ] || [ ! -f "$json" ] || ! command -v djpeg >/dev/null; then
  echo "peers: jpeg_decode_vs_djpeg skipped (no fixture, results or djpeg)"
  exit 0
fi

# Our real time in milliseconds from the Google Benchmark JSON: the median when repetitions
# were run, else the single entry.
ours_ms=$(awk '
  function ms(t, u) { return t * ((u == "ns") ? 1e-6 : (u == "us") ? 1e-3 : (u == "s") ? 1e3 : 1) }
  /"name": "BM_JpegDecode4000x3000/ { inside = 1; median = ($0 ~ /_median"/) }
  inside && /"real_time":/ { gsub(/[",]/, "", $2); t = $2 }
  inside && /"time_unit":/ {
    gsub(/[",]/, "", $2); inside = 0
    if (median) best = ms(t, $2); else if (first == "") first = ms(t, $2)
  }
  END { if (best != "") printf "%.3f\n", best; else if (first != "") printf "%.3f\n", first }
' "$json")
if [ -z "$ours_ms" ]; then
  echo "peers: jpeg_decode_vs_djpeg skipped (no BM_JpegDecode4000x3000 result)"
  exit 0
fi

# Median of seven runs, in microseconds.
djpeg_median_us() {
  local runs=() start end
  for _ in 1 2 3 4 5 6 7; do
    start=$(date +%s%N)
    djpeg "$@" -outfile /dev/null "$fixture"
    end=$(date +%s%N)
    runs+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n 4p
}
stream_us=$(djpeg_median_us)
bitmap_us=$(djpeg_median_us -bmp)
awk -v ours="$ours_ms" -v stream="$stream_us" -v bitmap="$bitmap_us" 'BEGIN {
  printf "peers: jpeg decode ours %.1f ms, djpeg %.1f ms, djpeg -bmp %.1f ms\n", ours, stream / 1000, bitmap / 1000
  printf "ratio jpeg_decode_vs_djpeg %.3f\n", ours / (stream / 1000)
  printf "ratio jpeg_decode_vs_djpeg_bmp %.3f\n", ours / (bitmap / 1000) }'
