#!/usr/bin/env bash
# Our GIF, TIFF, TGA and PCX decoding and encoding of the benchmark's 1920 x 1080 picture against
# ImageMagick doing the same work on the same files (single-threaded). A peer's time is the
# median wall time of its command minus that of the same command without the work (start-up,
# reading a memory-mapped source). Prints: ratio <name> <ours/peer>.
set -euo pipefail
build=${1:-build-bench}
json="$build/bench.json"
dir="${LV_BENCH_FIXTURE_DIR:-${TMPDIR:-/tmp}}"
if [ ! -f "$json" ] || ! command -v convert >/dev/null ||
  [ ! -f "$dir/lumivista_bench_screen.gif" ]; then
  echo "peers: format peers skipped (no results, fixtures or ImageMagick)"
  exit 0
fi
export MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(cd "$(dirname "$0")" && pwd)/peer_timing.sh"

ratio() {
  local name=$1 ours=$2 with=$3 without=$4
  if [ -z "$ours" ]; then
    echo "peers: no result of ours for $name"
    return
  fi
  awk -v n="$name" -v o="$ours" -v a="$with" -v b="$without" 'BEGIN {
    p = a - b; if (p < 0.1) p = 0.1
    printf "peers: %s ours %.1f ms, ImageMagick %.1f ms\n", n, o, p
    printf "ratio %s %.3f\n", n, o / p }'
}

convert "$dir/lumivista_bench_screen_photo.bmp" "$work/photo.mpc"
convert "$dir/lumivista_bench_screen_palette.bmp" -type Palette "$work/palette.mpc"
start_only=$(median_ms convert -size 1x1 xc:black null:)
read_photo=$(median_ms convert "$work/photo.mpc" null:)
read_palette=$(median_ms convert "$work/palette.mpc" null:)

for format in gif tif tga pcx; do
  case $format in
    gif) number=2 source=palette read=$read_palette options=() ;;
    tif) number=6 source=photo read=$read_photo options=(-compress LZW) ;;
    tga) number=7 source=photo read=$read_photo options=(-compress None) ;;
    pcx) number=8 source=photo read=$read_photo options=() ;;
  esac
  decode=$(median_ms convert "$dir/lumivista_bench_screen.$format" null:)
  ratio "${format}_decode_vs_convert" "$(ours_ms "BM_FormatDecode/$number/real_time")" "$decode" "$start_only"
  encode=$(median_ms convert "$work/$source.mpc" "${options[@]}" "$work/out.$format")
  ratio "${format}_encode_vs_convert" "$(ours_ms "BM_FormatEncode/$number/real_time")" "$encode" "$read"
done
