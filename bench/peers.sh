#!/usr/bin/env bash
# Peers and floors run beside our benchmarks; each prints "ratio <name> <ours/peer>".
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/peers_jpeg.sh" "$build"
