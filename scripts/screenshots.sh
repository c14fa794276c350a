#!/usr/bin/env bash
# Takes the pictures of docs/screenshots: Plexcon on simulated modules under a virtual X server.
# Usage: scripts/screenshots.sh [FOLDER] [english]   (english: only the pictures of the English screens)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh" run
"$root/scripts/build.sh"
xvfb-run -a -s "-screen 0 1200x720x24" "${BUILD_DIR:-$root/build}/tests/plexcon-screenshots" \
  "${1:-$root/docs/screenshots}" ${2:+"$2"}
