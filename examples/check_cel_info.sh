#!/bin/sh
# check_cel_info.sh RADLINK_SIM CEL_INFO: runs cel-info against a simulated VNET module and checks its table,
# then checks that a missing port ends it with a message and a non-zero status.
sim=$1
info=$2
dir=$(mktemp -d) || exit 1
"$sim" --family cel --line vnet --record 79 --remotes 0 >"$dir/port" 2>/dev/null &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$dir"' EXIT

tries=0
while [ ! -s "$dir/port" ] && [ $tries -lt 50 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
port=$(head -n 1 "$dir/port")
[ -n "$port" ] || { echo "the simulator printed no port"; exit 1; }

"$info" "$port" >"$dir/out" 2>&1 || { cat "$dir/out"; echo "cel-info failed on $port"; exit 1; }
cat "$dir/out"
for expected in "VNET-Local" "VNET (control word 2)" "V1.23" "0x0010" "Channel                15 (2425 MHz)" \
                "Send mode              (none)" "Voice                  (none)"; do
    grep -qF "$expected" "$dir/out" || { echo "missing in the output: $expected"; exit 1; }
done

if "$info" /dev/no-such-port-for-cel-info >"$dir/err" 2>&1; then
    echo "cel-info succeeded on a missing port"
    exit 1
fi
grep -q "cannot open serial port" "$dir/err" || { cat "$dir/err"; exit 1; }
echo "ok"
