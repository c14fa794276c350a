"""Overhead of the local CEL configuration read (85-byte reply) against radlink-sim pacing its answers at the line
rate: ours (QVZB_CEL_LoadInfo) beside pyserial and libserialport doing the same exchange.

  nominal  = 100 ms protocol pause + wire time of request and reply (10 bits a byte) + one read interval
  floor    = max(100 ms pause, wire time) + one read interval: the module answers at once, so the reply is on
             the line during the pause; no client can finish sooner
  overhead = measured - nominal (may be negative: the reply overlaps the pause), and measured - floor

The simulator and every client run on one CPU (RADLINK_BENCH_PIN=0 lets them spread): on a virtual machine, waking
a thread on another, idle virtual CPU now and then takes some 3 ms, which a module on a real line never costs.

Usage: loadinfo_overhead.py BUILD_DIR [COUNT [BAUD...]]   (default: every rate the serial panel offers)"""
import os
import statistics
import subprocess
import sys

build = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 60
bauds = [int(b) for b in sys.argv[3:]] or [1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800]
here = os.path.dirname(os.path.abspath(__file__))
if os.environ.get("RADLINK_BENCH_PIN") != "0":
    cpu = min(os.sched_getaffinity(0))
    os.sched_setaffinity(0, {cpu})  # children inherit it
    print(f"(simulator and clients kept to CPU {cpu})")
REQUEST, REPLY = 5, 85


def percentile(values, p):
    s = sorted(values)
    k = (len(s) - 1) * p
    lo, hi = int(k), min(int(k) + 1, len(s) - 1)
    return s[lo] + (s[hi] - s[lo]) * (k - lo)


def run_client(cmd):
    out = subprocess.run(cmd, capture_output=True, text=True, timeout=600)
    if out.returncode != 0:
        return None, out.stderr.strip() or f"exit {out.returncode}"
    return [int(x) / 1000.0 for x in out.stdout.split()], None


def libserialport_cmd(port, args):
    """libserialport looks its port up in /sys/class/tty and needs modem-line ioctls, which a pty lacks: give it a
    private sysfs entry (a mount namespace, root only) and the ioctl preload."""
    n = port.rsplit("/", 1)[-1]
    shim = os.path.join(build, "bench", "libbench-pty-modem-shim.so")
    script = (f"mount -t tmpfs none /sys/class/tty && mkdir -p /sys/class/tty/pts && "
              f"ln -s ../../../devices/virtual/tty/pts{n} /sys/class/tty/pts/{n} && "
              f"LD_PRELOAD={shim} exec \"$0\" \"$@\"")
    return ["unshare", "-m", "sh", "-c", script] + args


clients = [("radlink", [os.path.join(build, "bench", "bench-cel-loadinfo")]),
           ("pyserial", ["/usr/bin/python3", os.path.join(here, "peers", "pyserial_loadinfo.py")]),
           ("libserialport", [os.path.join(build, "bench", "bench-libserialport-loadinfo")])]

print(f"{'baud':>7} {'client':<14} {'median':>9} {'p95':>9} {'ovh/nominal med':>16} {'p95':>8} "
      f"{'ovh/floor med':>14} {'p95':>8}   (ms, {count} reads)")
for baud in bauds:
    wire = (REQUEST + REPLY) * 10 * 1000.0 / baud
    interval = max(1, 400000 // baud)
    nominal = 100 + wire + interval
    floor = max(100, wire) + interval
    for name, cmd in clients:
        if not os.path.exists(cmd[-1]):
            print(f"{baud:>7} {name:<14} not built")
            continue
        sim = subprocess.Popen([os.path.join(build, "sim", "radlink-sim"), "--family", "cel", "--pace", str(baud)],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        try:
            port = sim.stdout.readline().strip()
            args = cmd + [port, str(baud), str(count)]
            if name == "libserialport":
                args = libserialport_cmd(port, args)
            times, err = run_client(args)
        finally:
            sim.terminate()
            sim.wait()
        if times is None:
            print(f"{baud:>7} {name:<14} failed: {err}")
            continue
        med, p95 = statistics.median(times), percentile(times, 0.95)
        print(f"{baud:>7} {name:<14} {med:9.2f} {p95:9.2f} {med - nominal:16.2f} {p95 - nominal:8.2f} "
              f"{med - floor:14.2f} {p95 - floor:8.2f}")
