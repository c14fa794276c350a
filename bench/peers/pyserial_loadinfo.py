"""The local configuration read through pyserial, written as its users would: the reply's length is unknown, so
read up to 1024 bytes with the interval time-out between bytes. Prints one duration (microseconds) per line.
Usage: pyserial_loadinfo.py PORT BAUD COUNT"""
import sys
import time

import serial

port, baud, count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
interval = max(1, 400000 // baud) / 1000.0
s = serial.Serial(port, baud, timeout=1.0, inter_byte_timeout=interval)
request = bytes([0xAB, 0xBC, 0xCD, 0xD1, 0x05])
for i in range(count):
    t0 = time.perf_counter()
    s.reset_input_buffer()
    s.write(request)
    time.sleep(0.1)
    reply = s.read(1024)
    dt = time.perf_counter() - t0
    if len(reply) < 74 or reply[3] != 0xD1:
        sys.exit(f"read {i}: bad reply ({len(reply)} bytes)")
    print(int(dt * 1e6))
s.close()
