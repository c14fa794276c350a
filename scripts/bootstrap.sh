#!/usr/bin/env bash
# Installs the Debian packages the project needs; quiet and quick when everything is present.
# Usage: scripts/bootstrap.sh [build|run|bench|fuzz|install|icons]   (default: build, which covers the tests too)
set -euo pipefail

need=(cmake g++ make pkg-config python3
      googletest libgtest-dev libgmock-dev
      qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libusb-1.0-0-dev
      fonts-wqy-zenhei
      qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools qt6-translations-l10n
      libcli11-dev nlohmann-json3-dev libtomlplusplus-dev libfmt-dev libcsv-dev tshark)
case "${1:-build}" in
  run)   need+=(xvfb xauth) ;;
  bench) need+=(python3-serial libserialport-dev) ;;
  fuzz)  need+=(clang-14 libclang-rt-14-dev) ;;
  # scripts/install-check.sh: man pages, the Debian package, a clean Debian 12 root to install it in.
  install) need+=(help2man dpkg-dev fakeroot file desktop-file-utils debootstrap) ;;
  icons) need+=(librsvg2-bin) ;;
esac

missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
