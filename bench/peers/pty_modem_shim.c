/* Benchmark harness only: a pseudo-terminal has no modem lines, so TIOCMGET/TIOCMSET/TIOCMBIS/TIOCMBIC and
 * TIOCGSERIAL fail there with ENOTTY, and libserialport refuses to open it. This preload answers them as a
 * UART without modem lines would; every other call goes to the real ioctl. Reads and writes are untouched. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <string.h>
#include <sys/ioctl.h>
#include <linux/serial.h>

int ioctl(int fd, unsigned long request, ...) {
    static int (*real)(int, unsigned long, ...);
    if (!real) {
        void* sym = dlsym(RTLD_NEXT, "ioctl");
        memcpy(&real, &sym, sizeof real);
    }
    va_list ap;
    va_start(ap, request);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    int r = real(fd, request, arg);
    if (r == -1 && errno == ENOTTY) {
        switch (request) {
            case TIOCMGET: *(int*)arg = 0; return 0;
            case TIOCMSET: case TIOCMBIS: case TIOCMBIC: return 0;
            case TIOCGSERIAL: memset(arg, 0, sizeof(struct serial_struct)); return 0;
            case TIOCSSERIAL: return 0;
        }
    }
    return r;
}
