#!/usr/bin/env bash
# Installs what is missing, builds, starts radlink-sim and reads its CEL module with the C example.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/bootstrap.sh" build
"$root/scripts/build.sh"
fifo="$(mktemp -u)"; mkfifo "$fifo"
"$build/sim/radlink-sim" "$@" >"$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null; rm -f "$fifo"' EXIT
read -r port <"$fifo"
"$build/examples/cel-info" "$port"
