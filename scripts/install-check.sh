#!/usr/bin/env bash
# The install as users get it: builds (build/, or $BUILD_DIR), installs into a staging root (DESTDIR) and checks
# what landed where, builds the C and C++ example consumers against that root through CMake and through
# pkg-config and runs them on the simulator, builds the Debian package, installs it with apt into a clean
# Debian 12 root made by debootstrap, and starts plexcon, radlink and radlink-sim there. Everything it makes stays
# under <build>/install-check; the Debian root is removed at the end ($DEBIAN_MIRROR picks the mirror).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
work="$build/install-check"
debian="$work/debian12"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
start=$SECONDS
sim_pid=""

step() { echo "== $* ($((SECONDS - start)) s)"; }
fail() { echo "install-check: $*" >&2; exit 1; }
# Runs a command quietly; on failure shows what it printed.
quiet() {
  local log
  log="$(mktemp)"
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    fail "failed: $*"
  fi
  rm -f "$log"
}
unmount_debian() {
  # Innermost first; nothing is removed while anything is still mounted below the root.
  local m
  for m in $(awk -v r="$debian/" 'index($2, r) == 1 { print $2 }' /proc/self/mounts | sort -r); do
    umount -l "$m" || true
  done
}
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  unmount_debian
  if ! awk -v r="$debian/" 'index($2, r) == 1 { found = 1 } END { exit !found }' /proc/self/mounts; then
    rm -rf "$debian"
  fi
}
trap cleanup EXIT

"$root/scripts/bootstrap.sh" install
step "build"
"$root/scripts/build.sh" -DCMAKE_INSTALL_PREFIX=/usr
unmount_debian
rm -rf "$work"
mkdir -p "$work"

# ---- cmake --install into a staging root
stage="$work/stage"
libdir="usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
step "install into $stage"
quiet env DESTDIR="$stage" cmake --install "$build" --prefix /usr
for f in usr/bin/plexcon usr/bin/radlink usr/bin/radlink-sim usr/include/radlink.h \
         "$libdir/libradlink.so.1.20.2" "$libdir/libradlink.so.1" "$libdir/libradlink.so" \
         "$libdir/pkgconfig/radlink.pc" "$libdir/cmake/Radlink/RadlinkConfig.cmake" \
         "$libdir/cmake/Radlink/RadlinkConfigVersion.cmake" "$libdir/cmake/Radlink/RadlinkTargets.cmake" \
         "$libdir/wireshark/plugins/radlink.lua" usr/lib/udev/rules.d/70-radlink-cp210x.rules \
         usr/share/applications/plexcon.desktop usr/share/icons/hicolor/scalable/apps/plexcon.svg \
         usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/plexcon.png \
         usr/share/man/man1/{plexcon,radlink,radlink-sim}.1.gz usr/share/plexcon; do
  [ -e "$stage/$f" ] || fail "not installed: /$f"
done
[ "$(ls "$stage/usr/bin" | tr '\n' ' ')" = "plexcon radlink radlink-sim " ] || fail "other programs in /usr/bin"
[ -z "$(find "$stage" -name '*.a')" ] || fail "static libraries installed"
objdump -p "$stage/$libdir/libradlink.so.1.20.2" | grep -q 'SONAME *libradlink.so.1$' || fail "SONAME"
# The staged programs look for the library in /usr (their install prefix): point them at the staged one.
cmp -s "$stage/usr/lib/udev/rules.d/70-radlink-cp210x.rules" \
    <(LD_LIBRARY_PATH="$stage/$libdir" "$stage/usr/bin/radlink" doctor --udev-rule) ||
  fail "the installed udev rule is not the one radlink doctor --udev-rule prints"
desktop-file-validate "$stage/usr/share/applications/plexcon.desktop"
for page in plexcon radlink radlink-sim; do
  zcat "$stage/usr/share/man/man1/$page.1.gz" | grep -q -- '-help' || fail "man page $page lacks the --help text"
done

# ---- the example consumers, against the staging root, on the simulator
step "example consumers against the staging root"
export LD_LIBRARY_PATH="$stage/$libdir"
fifo="$work/sim-port"
mkfifo "$fifo"
"$stage/usr/bin/radlink-sim" --remotes 3 >"$fifo" &
sim_pid=$!
read -r port <"$fifo"
for via in cmake pkg-config; do
  dir="$work/consumers-$via"
  quiet env PKG_CONFIG_LIBDIR="$stage/$libdir/pkgconfig" PKG_CONFIG_PATH="" \
    cmake -S "$root/examples/consumers" -B "$dir" -DRADLINK_FIND="$via" -DCMAKE_PREFIX_PATH="$stage/usr"
  quiet cmake --build "$dir"
  for exe in "$dir/radlink-consumer-c" "$dir/radlink-consumer-cpp"; do
    ldd "$exe" | grep -q "libradlink.so.1 => $stage/" || fail "$exe does not load the staged library"
  done
  out="$("$dir/radlink-consumer-c" "$port")" || fail "radlink-consumer-c $port: $out"
  grep -q "control word 1, firmware 1.23" <<<"$out" || fail "radlink-consumer-c printed: $out"
  echo "   C via $via: $out"
  out="$("$dir/radlink-consumer-cpp" "$port" 12)" || fail "radlink-consumer-cpp $port 12: $out"
  grep -q "^1 module(s) on channel 12" <<<"$out" && grep -q "0x0101" <<<"$out" ||
    fail "radlink-consumer-cpp printed: $out"
  echo "   C++ via $via: $(tr '\n' ' ' <<<"$out")"
done
kill "$sim_pid"
wait "$sim_pid" 2>/dev/null || true
sim_pid=""
unset LD_LIBRARY_PATH

# ---- the Debian package
step "cpack -G DEB"
(cd "$build" && quiet cpack -G DEB -B "$work/deb")
deb="$(ls "$work"/deb/radlink_*.deb)"
echo "   $(basename "$deb"): $(du -k "$deb" | cut -f1) KiB"
dpkg-deb -f "$deb" Depends | sed 's/^/   Depends: /'

# ---- a clean Debian 12 root: install the package with apt, start the programs
step "debootstrap bookworm into $debian"
quiet debootstrap --variant=minbase bookworm "$debian" "$mirror"
mount -t proc proc "$debian/proc"
mount --bind /dev/pts "$debian/dev/pts"
cp "$deb" "$debian/tmp/radlink.deb"
step "apt-get install ./radlink.deb in the Debian 12 root"
in_debian() { chroot "$debian" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
quiet in_debian apt-get update
quiet in_debian sh -c 'cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ./radlink.deb'
step "start the installed programs"
for program in plexcon radlink radlink-sim; do
  out="$(in_debian "$program" --help 2>&1)" || fail "$program --help in the Debian root: $out"
  grep -qi "usage" <<<"$out" || fail "$program --help printed: $out"
  echo "   $program --help: $(head -n 1 <<<"$out")"
done
# The CLI on the installed simulator, over a pty of the Debian root.
out="$(in_debian sh -c 'radlink-sim >/tmp/port & sim=$!; sleep 0.5; radlink identify "$(head -n 1 /tmp/port)"; rc=$?;
                       kill $sim; exit $rc' 2>&1)" || fail "radlink identify in the Debian root: $out"
grep -q "Quickmesh" <<<"$out" || fail "radlink identify printed: $out"
echo "   radlink identify: $out"
# Run as root from /usr/bin, which root may write: an installed program all the same, so its settings go under
# the XDG config folder and nothing beside the program.
out="$(in_debian sh -c 'QT_QPA_PLATFORM=offscreen timeout 60 plexcon --quit-after-shown' 2>&1)" ||
  fail "plexcon did not start offscreen in the Debian root: $out"
# The root has no qt6-translations-l10n: the Chinese screens need none, and say nothing of it.
! grep -q "did not load" <<<"$out" || fail "plexcon in the Debian root: $out"
[ -f "$debian/root/.config/Plexcon/Plexcon.ini" ] || fail "no Plexcon.ini under ~/.config/Plexcon"
[ -d "$debian/root/.local/share/Plexcon" ] || fail "no log folder under ~/.local/share/Plexcon"
[ ! -e "$debian/usr/bin/Plexcon.ini" ] || fail "Plexcon.ini beside the installed program"
echo "   plexcon (root, offscreen): settings in ~/.config/Plexcon, logs in ~/.local/share/Plexcon"
step "done"
