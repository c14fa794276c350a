#!/usr/bin/env bash
# Installs what is missing, builds, and runs the benchmarks (figures only; nothing is asserted).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh" bench
"$root/scripts/build.sh"
/usr/bin/python3 "$root/bench/loadinfo_overhead.py" "${BUILD_DIR:-$root/build}" "${1:-60}"
