#!/usr/bin/env bash
# Resizing peers beside the image library's own benchmarks: ImageMagick and vips shrink the same
# generated 4000 x 3000 picture to 1920 x 1080, single-threaded like ours. Each peer's time is
# its command's median wall time minus that of the same command without the resize (start-up,
# load). Prints one line per pair: ratio <name> <ours/peer>.
set -euo pipefail
build=${1:-build-bench}
json="$build/bench.json"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ ! -f "$json" ] && [ -x "$build/bench/lv_bench" ]; then
  "$build/bench/lv_bench" --benchmark_filter='Resample4000x3000' \
    --benchmark_out="$json" --benchmark_out_format=json >/dev/null
fi
if [ ! -f "$json" ]; then
  echo "peers: no benchmark results in $json"
  exit 0
fi

export MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1 VIPS_CONCURRENCY=1

source "$(cd "$(dirname "$0")" && pwd)/peer_timing.sh"

# Peer time of a resize: the command with the resize minus the command without it.
peer_ms() {
  local with without
  with=$1
  without=$2
  awk -v a="$with" -v b="$without" 'BEGIN { d = a - b; if (d < 0.1) d = 0.1; printf "%.3f\n", d }'
}

ratio() {
  local name=$1 ours=$2 peer=$3
  if [ -z "$ours" ]; then
    echo "peers: no result of ours for $name"
    return
  fi
  awk -v n="$name" -v o="$ours" -v p="$peer" 'BEGIN { printf "ratio %s %.3f\n", n, o / p }'
}

if command -v convert >/dev/null; then
  convert -size 4000x3000 gradient:'#102030-#f0a060' -depth 8 -type TrueColor "$work/in.ppm"
  convert "$work/in.ppm" "$work/in.mpc"
  im_base=$(median_ms convert "$work/in.mpc" null:)
  im_sample=$(median_ms convert "$work/in.mpc" -sample '1920x1080!' null:)
  im_cubic=$(median_ms convert "$work/in.mpc" -filter Cubic -resize '1920x1080!' null:)
  im_scale=$(median_ms convert "$work/in.mpc" -scale '1920x1080!' null:)
  ratio imagemagick_sample_nearest "$(ours_ms BM_Resample4000x3000To1920x1080/1)" "$(peer_ms "$im_sample" "$im_base")"
  ratio imagemagick_resize_cubic "$(ours_ms BM_Resample4000x3000To1920x1080/2)" "$(peer_ms "$im_cubic" "$im_base")"
  ratio imagemagick_scale_area "$(ours_ms BM_Resample4000x3000To1920x1080/0)" "$(peer_ms "$im_scale" "$im_base")"
else
  echo "peers: ImageMagick not installed"
fi

if command -v vips >/dev/null; then
  [ -f "$work/in.ppm" ] || vips black "$work/in.ppm" 4000 3000 --bands 3
  vips copy "$work/in.ppm" "$work/in.v"
  vips_base=$(median_ms vips copy "$work/in.v" "$work/out.v")
  vips_nearest=$(median_ms vips resize "$work/in.v" "$work/out.v" 0.48 --vscale 0.36 --kernel nearest)
  vips_cubic=$(median_ms vips resize "$work/in.v" "$work/out.v" 0.48 --vscale 0.36 --kernel cubic)
  ratio vips_resize_nearest "$(ours_ms BM_Resample4000x3000To1920x1080/1)" "$(peer_ms "$vips_nearest" "$vips_base")"
  ratio vips_resize_cubic "$(ours_ms BM_Resample4000x3000To1920x1080/2)" "$(peer_ms "$vips_cubic" "$vips_base")"
else
  echo "peers: vips not installed"
fi

# JPEG decoding against djpeg of the same libjpeg.
bash "$(cd "$(dirname "$0")" && pwd)/peers_jpeg.sh" "$build"

# GIF, TIFF, TGA and PCX decoding and encoding against ImageMagick.
bash "$(cd "$(dirname "$0")" && pwd)/peers_formats.sh" "$build"
# JPEG-2000 decoding against opj_decompress, PNM decoding against a plain read.
bash "$(cd "$(dirname "$0")" && pwd)/peers_jpeg2000.sh" "$build"
