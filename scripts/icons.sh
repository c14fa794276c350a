#!/usr/bin/env bash
# Draws the program's icon (plexcon/desktop/plexcon.svg) again at the sizes of the hicolor theme, into
# plexcon/desktop/icons/NxN/plexcon.png (committed; the build installs them as they are).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh" icons
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$root/plexcon/desktop/icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$root/plexcon/desktop/plexcon.svg" \
    -o "$root/plexcon/desktop/icons/${size}x${size}/plexcon.png"
done
