#!/usr/bin/env bash
# Installs what is missing, builds, and runs the benchmarks (figures only; nothing is asserted).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh" bench
"$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"
/usr/bin/python3 "$root/bench/loadinfo_overhead.py" "$build" "${1:-60}"
for baud in 9600 115200; do "$build/bench/bench-whole-operations" "$baud"; done
