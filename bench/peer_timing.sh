# Sourced by the peer scripts: our times from the Google Benchmark JSON and the median wall time
# of a peer's command.

# Our real time in milliseconds for a benchmark name, from $json.
ours_ms() {
  awk -v name="\"$1\"," '
    $1 == "\"name\":" && $2 == name { found = 1 }
    found && $1 == "\"real_time\":" { gsub(",", "", $2); t = $2 }
    found && $1 == "\"time_unit\":" { u = $2; gsub(/[",]/, "", u)
      if (u == "ns") t /= 1e6; else if (u == "us") t /= 1e3; else if (u == "s") t *= 1e3
      print t; exit }' "$json"
}

# Median wall time of a command in milliseconds over five runs.
median_ms() {
  local times=()
  for _ in 1 2 3 4 5; do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.3f\n", a[3] / 1000 }'
}
