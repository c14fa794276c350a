#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR), printing only warnings and errors.
# Extra arguments go to CMake's configure step.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" &&
       cmake --build "$build" -j"$(nproc)"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "build failed" >&2
  exit 1
fi
grep -E "warning:" "$log" >&2 || true
