/* The local configuration read through libserialport, written as its users would: the reply's length is unknown,
 * so wait for its first bytes, then keep reading until the line has been quiet for the interval time-out.
 * Usage: bench-libserialport-loadinfo PORT BAUD COUNT; prints one duration (microseconds) per line. */
#include <libserialport.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long long now_us(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000 + ts.tv_nsec / 1000;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s PORT BAUD COUNT\n", argv[0]);
        return 2;
    }
    int baud = atoi(argv[2]), count = atoi(argv[3]);
    unsigned interval = 400000u / (unsigned)baud;
    if (interval < 1) interval = 1;
    struct sp_port* port;
    if (sp_get_port_by_name(argv[1], &port) != SP_OK || sp_open(port, SP_MODE_READ_WRITE) != SP_OK) {
        char* why = sp_last_error_message();
        fprintf(stderr, "cannot open %s: %s\n", argv[1], why);
        sp_free_error_message(why);
        return 1;
    }
    sp_set_baudrate(port, baud);
    sp_set_bits(port, 8);
    sp_set_parity(port, SP_PARITY_NONE);
    sp_set_stopbits(port, 1);
    sp_set_flowcontrol(port, SP_FLOWCONTROL_NONE);
    const unsigned char req[] = {0xAB, 0xBC, 0xCD, 0xD1, 0x05};
    unsigned char buf[1024];
    for (int i = 0; i < count; ++i) {
        long long t0 = now_us();
        sp_flush(port, SP_BUF_INPUT);
        sp_blocking_write(port, req, sizeof req, 3000);
        struct timespec pause = {0, 100 * 1000000L};
        nanosleep(&pause, NULL);
        int n = sp_blocking_read_next(port, buf, sizeof buf, 1000);
        int k;
        while (n > 0 && n < (int)sizeof buf &&
               (k = sp_blocking_read_next(port, buf + n, sizeof buf - (size_t)n, interval)) > 0)
            n += k;
        long long dt = now_us() - t0;
        if (n < 74 || buf[3] != 0xD1) {
            fprintf(stderr, "read %d: bad reply (%d bytes)\n", i, n);
            return 1;
        }
        printf("%lld\n", dt);
    }
    sp_close(port);
    sp_free_port(port);
    return 0;
}
