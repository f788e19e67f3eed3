#!/usr/bin/env bash
# What waiting costs on a real display: the processor time of the settings dialog left idle,
# and of the show between two transitions, each over a fixed span on a virtual X server of
# 1920x1080 with nothing of ours set but DISPLAY. Targets: an idle dialog under 2% of a core, a
# waiting show under 5%. Prints "cpu <name> <share of a core>" and "ratio <name> <share/target>".
set -euo pipefail
build=${1:-build-bench}
title=$(sed -n 's/^LV_THEME_TITLE:INTERNAL=//p' "$build/CMakeCache.txt")
saver="$build/saver/Lumivista"
theme="$build/sample/$title.dat"
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "real display: Xvfb is not installed; not measured"
  exit 0
fi
if [ ! -x "$saver" ] || [ ! -f "$theme" ]; then
  echo "real display: $saver or the sample theme is missing; not measured"
  exit 0
fi
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb writes its display number to descriptor 3 once it accepts clients.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
display=":$(head -n 1 "$work/display")"
mkdir -p "$work/saver" "$work/home"
cp "$saver" "$work/saver/$title.scr"
cp "$theme" "$work/saver/$title.dat"

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Share of a core that `Lumivista <switch>` uses from `settle` to `settle + span` seconds.
cpu_share() {
  local switch=$1 settle=$2 span=$3
  env -i PATH="$PATH" HOME="$work/home" DISPLAY="$display" "$work/saver/$title.scr" "$switch" \
    >/dev/null 2>&1 &
  local pid=$!
  sleep "$settle"
  local before after
  before=$(ticks "$pid")
  sleep "$span"
  after=$(ticks "$pid")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$span" \
    'BEGIN { printf "%.4f\n", t / hz / s }'
}

report() {
  local name=$1 share=$2 target=$3
  echo "cpu $name $share"
  awk -v n="$name" -v s="$share" -v t="$target" 'BEGIN { printf "ratio %s %.3f\n", n, s / t }'
}

report settings_dialog_idle_vs_2pct "$(cpu_share /c 3 5)" 0.02
# The sample theme changes pictures every 6 seconds: the span lies between the first slide
# and the first transition.
report show_between_transitions_vs_5pct "$(cpu_share /s 1.5 3.5)" 0.05
