// Times QVZB_CEL_LoadInfo against a module on the given port: prints one duration (microseconds) per line.
// Usage: bench-cel-loadinfo PORT BAUD COUNT
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "radlink.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PORT BAUD COUNT\n", argv[0]);
        return 2;
    }
    const int baud = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    if (!QVZB_OpenCom(argv[1], baud, 8, 0, 0, 0, 1, 0, 0, 1000)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        int ok = QVZB_CEL_LoadInfo();
        auto us = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
        if (!ok) {
            std::fprintf(stderr, "load %d failed\n", i);
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(us.count()));
    }
    QVZB_CloseCom();
    return 0;
}
