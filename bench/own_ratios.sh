#!/usr/bin/env bash
# Our figures against their floors, from the benchmark results: AlphaBlend and BitBlt against
# memcpy of the same bytes, the fade tick against its 1 ms target, and each transition effect's
# real duration against its nominal time (the target is 1.05 at most; the delay floor shows how
# late this machine wakes a sleeping thread). Prints "ratio <name> <value>".
set -euo pipefail
build=${1:-build-bench}
json="$build/bench.json"
if [ ! -f "$json" ]; then
  echo "own ratios: no benchmark results in $json"
  exit 0
fi
source "$(cd "$(dirname "$0")" && pwd)/peer_timing.sh"

ratio() {
  local name=$1 ours=$2 floor=$3
  if [ -z "$ours" ] || [ -z "$floor" ]; then
    echo "own ratios: no result for $name"
    return
  fi
  awk -v n="$name" -v o="$ours" -v f="$floor" 'BEGIN { printf "ratio %s %.3f\n", n, o / f }'
}

memcpy=$(ours_ms BM_GdiMemcpyFloor)
ratio alphablend_vs_memcpy "$(ours_ms BM_GdiAlphaBlendConstant)" "$memcpy"
ratio bitblt_vs_memcpy "$(ours_ms BM_GdiBitBltSrcCopy)" "$memcpy"
ratio fade_tick_vs_1ms "$(ours_ms BM_FadeTick)" 1
floor=$(ours_counter BM_TransitionDelayFloor/iterations:3/manual_time vs_nominal)
[ -n "$floor" ] && ratio transition_delay_floor "$floor" 1
for effect in $(seq 1 20); do
  value=$(ours_counter "BM_TransitionDuration/effect:$effect/iterations:3/manual_time" vs_nominal)
  [ -n "$value" ] && ratio "transition_${effect}_vs_nominal" "$value" 1
done
