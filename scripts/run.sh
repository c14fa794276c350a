#!/usr/bin/env bash
# Installs what is missing, builds, and starts Plexcon on a simulated module (no hardware needed).
# Arguments go to plexcon (see: scripts/run.sh --help).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh" run
"$root/scripts/build.sh"
exec "${BUILD_DIR:-$root/build}/plexcon/plexcon" --demo "$@"
