"""The local configuration read through pyserial, written as its users would. The reply's length is unknown, and
pyserial's inter_byte_timeout does not end a read early on Linux (it maps to VTIME with VMIN=1, in tenths of a
second, and the read then runs on to its total time-out), so the gap is found the usual way: wait for the first
byte with the total time-out, then poll in_waiting until the line has been quiet for the interval time-out.
Prints one duration (microseconds) per line. Usage: pyserial_loadinfo.py PORT BAUD COUNT"""
import sys
import time

import serial

port, baud, count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
interval = max(1, 400000 // baud) / 1000.0
s = serial.Serial(port, baud, timeout=1.0)
request = bytes([0xAB, 0xBC, 0xCD, 0xD1, 0x05])
for i in range(count):
    t0 = time.perf_counter()
    s.reset_input_buffer()
    s.write(request)
    time.sleep(0.1)
    reply = bytearray(s.read(1))
    last = time.perf_counter()
    while reply:
        waiting = s.in_waiting
        if waiting:
            reply += s.read(waiting)
            last = time.perf_counter()
        elif time.perf_counter() - last >= interval:
            break
        else:
            time.sleep(0.0002)
    dt = time.perf_counter() - t0
    if len(reply) < 74 or reply[3] != 0xD1:
        sys.exit(f"read {i}: bad reply ({len(reply)} bytes)")
    print(int(dt * 1e6))
s.close()
