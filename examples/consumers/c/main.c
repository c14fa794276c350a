/*
 * radlink-consumer-c PORT: the name, product line and firmware of the CEL module on PORT.
 */
#include <radlink.h>
#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s PORT\n", argv[0]);
        return 2;
    }
    /* 115200 baud 8N1, RTS on, no flow control, answers within 1 s. */
    if (!QVZB_OpenCom(argv[1], 115200, 8, 0, 0, 0, 1, 0, 0, 1000)) {
        fprintf(stderr, "%s: cannot open %s\n", argv[0], argv[1]);
        return 1;
    }
    CelRecord record = {0};
    const int loaded = QVZB_CEL_GetPropertyAll(&record);
    QVZB_CloseCom();
    if (!loaded) {
        fprintf(stderr, "%s: no CEL module answered on %s (error %d)\n", argv[0], argv[1], QVZB_GetLastError());
        return 1;
    }
    printf("%.16s: control word %u, firmware %x.%02x\n", record.deviceName, record.controlWord,
           (unsigned)(record.firmwareVersion >> 8), record.firmwareVersion & 0xFFu);
    return 0;
}
