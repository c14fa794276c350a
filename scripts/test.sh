#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh" build
"$root/scripts/build.sh"
cd "${BUILD_DIR:-$root/build}"
ctest -j"$(nproc)" --output-on-failure --timeout 600
