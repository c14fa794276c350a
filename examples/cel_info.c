/*
 * cel-info: prints the configuration of the CEL module on a serial port.
 *
 *   cel-info PORT [BAUD]
 *
 * PORT is a device path (/dev/ttyUSB0) or a name under /dev (ttyUSB0, pts/3); BAUD defaults to 115200.
 */
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "radlink.h"

static void row(const char* name, const char* format, ...) {
    va_list args;
    va_start(args, format);
    printf("  %-22s ", name);
    vprintf(format, args);
    printf("\n");
    va_end(args);
}

static const char* pick(const char* const* names, size_t count, unsigned index) {
    return index < count ? names[index] : "?";
}
#define PICK(names, index) pick(names, sizeof names / sizeof names[0], index)

static void print_mac(const char* name, const unsigned char* mac) {
    row(name, "%02x:%02x:%02x:%02x:%02x:%02x:%02x:%02x", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5], mac[6],
        mac[7]);
}

static void print_record(const CelRecord* r) {
    static const char* const types[] = {"end device", "router", "coordinator"};
    static const char* const rates[] = {"250 kbit/s", "500 kbit/s", "1 Mbit/s"};
    static const char* const bauds[] = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200",
                                        "230400", "460800"};
    static const char* const parities[] = {"none", "odd", "even"};
    static const char* const codings[] = {"PCM", "ULAW", "ALAW", "ADPCM"};
    static const char* const voiceModes[] = {"full duplex", "send only", "receive only"};
    const unsigned v = r->firmwareVersion;

    row("Device name", "%.16s", r->deviceName);
    row("Product line", "%s (control word %u)",
        r->controlWord == 1 ? "Quickmesh" : r->controlWord == 2 ? "VNET" : "unknown", r->controlWord);
    if (v < 0x1000)
        row("Firmware version", "V%u.%u%u", (v >> 8) & 0xF, (v >> 4) & 0xF, v & 0xF);
    else
        row("Firmware version", "V%u%u.%u%u", v >> 12, (v >> 8) & 0xF, (v >> 4) & 0xF, v & 0xF);
    row("Run state", "%s", r->runState == 0xAA ? "normal" : "firmware upgrade");
    row("Device type", "%s", PICK(types, r->deviceType));
    row("Channel", "%u (%u MHz)", r->channel, 2405 + 5 * (r->channel - 11u));
    row("PAN ID", "0x%04x", r->panId);
    row("Network address", "0x%04x", r->netAddress);
    print_mac("MAC address", r->macAddress);
    row("Destination address", "0x%04x", r->dstNetAddress);
    print_mac("Destination MAC", r->dstMacAddress);
    row("Air rate", "%s", PICK(rates, r->airRate));
    row("Transmit power code", "0x%02x", r->txPower);
    row("Send retries", "%u, every %u ms", r->retryCount, r->retryInterval * 100u);
    row("Serial line", "%s baud, %u data bits, parity %s, %u stop bit(s)", PICK(bauds, r->baudIndex), r->dataBits,
        PICK(parities, r->parity), r->stopBits);
    row("Send mode", "%s", r->sendMode == 0x88 ? "(none)" : r->sendMode == 0 ? "unicast" : "broadcast");
    /* Only the low-power modules' record (no voice, with a send mode) carries the low-power times as numbers. */
    if (r->compression == 0x99 && r->sendMode != 0x88)
        row("Low power", "sleep %u ms, receive delay %u ms, forward delay %u ms", r->sleepTimeMs, r->receiveDelayMs,
            r->forwardDelayMs);
    if (r->compression == 0x99) {
        row("Voice", "(none)");
    } else {
        row("Voice", "%u kHz, %s, %s", r->sampleRate, PICK(codings, r->compression), PICK(voiceModes, r->voiceMode));
        row("Volume", "output %u, microphone %u (of 21)", r->outputVolume, r->micVolume);
    }
}

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: %s PORT [BAUD]\n", argv[0]);
        return 2;
    }
    const char* port = argv[1];
    long baud = 115200;
    if (argc == 3) {
        char* end = NULL;
        baud = strtol(argv[2], &end, 10);
        if (*argv[2] == '\0' || *end != '\0' || baud <= 0 || baud > 4000000) {
            fprintf(stderr, "%s: bad baud rate '%s'\n", argv[0], argv[2]);
            return 2;
        }
    }

    /* 8 data bits, no parity, one stop bit, RTS on, no flow control, answers within 1 s. */
    if (!QVZB_OpenCom(port, (int)baud, 8, 0, 0, 0, 1, 0, 0, 1000)) {
        fprintf(stderr, "%s: cannot open serial port %s (missing, or in use by another program)\n", argv[0], port);
        return 1;
    }
    CelRecord record;
    memset(&record, 0, sizeof record);
    const int loaded = QVZB_CEL_GetPropertyAll(&record);
    const int error = QVZB_GetLastError();
    QVZB_CloseCom();
    if (!loaded) {
        fprintf(stderr, "%s: no CEL module answered on %s at %ld baud (error code %d)\n", argv[0], port, baud, error);
        return 1;
    }
    printf("CEL module on %s:\n", port);
    print_record(&record);
    return 0;
}
