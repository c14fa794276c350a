#include "core/FrameTrace.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace radlink {

namespace {

using Clock = std::chrono::steady_clock;

// CEL and ORLNET configuration frames share their lead and most command codes.
const char* ConfigCommand(uint8_t code) {
    switch (code) {
        case 0xD1: return "READ_LOCAL";
        case 0xD2: return "SET_CHANNEL";
        case 0xD3: return "SET_RATE";
        case 0xD4: return "SEARCH";
        case 0xD5: return "READ_CONFIG";
        case 0xD6: return "WRITE_CONFIG";
        case 0xD7: return "UPGRADE_BLOCK";
        case 0xD8: return "UPGRADE_END";
        case 0xD9: return "RESTART";
        case 0xDA: return "FACTORY_RESET";
        case 0xDB: return "UPGRADE_BEGIN";
        case 0xDC: return "SEARCH_BY_ID/ONLINE_TIME";
        case 0xDD: return "LED/POLLING_TIME";
        case 0xDE: return "SECURITY";
        case 0xDF: return "PASSWORD";
        default: return nullptr;
    }
}

const char* IoCommand(uint8_t code) {
    switch (code) {
        case 0xD4: return "IO_DIR_ALL";
        case 0xD5: return "IO_READ";
        case 0xD6: return "IO_WRITE";
        case 0xD7: return "AD_READ";
        default: return nullptr;
    }
}

const char* NetworkCommand(uint8_t code) {
    switch (code) {
        case 0xD1: return "SEND_DATA";
        case 0xD2: return "ROUTE_LOCAL";
        case 0xD3: return "ROUTE_REMOTE";
        case 0xD5: return "LED_BROADCAST";
        default: return nullptr;
    }
}

std::string Named(const char* family, const char* command, uint8_t code) {
    char unknown[8];
    std::snprintf(unknown, sizeof unknown, "0x%02X", code);
    return std::string(family) + " " + (command ? command : unknown);
}

struct Trace {
    std::mutex mutex;
    std::FILE* file = nullptr;
    TraceFormat format = TraceFormat::Text;
    Clock::time_point start;
    std::chrono::system_clock::time_point wallStart;
    std::atomic<bool> running{false};
    std::once_flag fromEnvironment;

    void put32(uint32_t v) { std::fwrite(&v, 4, 1, file); }
    void put16(uint16_t v) { std::fwrite(&v, 2, 1, file); }

    // pcapng in host byte order: a section header, one interface (link type USER0, microseconds).
    void pcapngHeader() {
        put32(0x0A0D0D0A); put32(28); put32(0x1A2B3C4D); put16(1); put16(0);
        put32(0xFFFFFFFF); put32(0xFFFFFFFF); put32(28);
        put32(1); put32(32); put16(147); put16(0); put32(0);
        put16(9); put16(1); put32(6);  // if_tsresol: 10^-6, padded
        put32(0);                      // end of options
        put32(32);
    }

    // One enhanced packet: a direction byte, then the bytes; epb_flags tells Wireshark the direction too.
    void pcapngPacket(TraceDirection d, std::span<const uint8_t> bytes, uint64_t micros) {
        const uint32_t captured = static_cast<uint32_t>(bytes.size() + 1);
        const uint32_t padded = (captured + 3) & ~3u;
        const uint32_t total = 32 + padded + 12;
        put32(6); put32(total); put32(0);
        put32(static_cast<uint32_t>(micros >> 32)); put32(static_cast<uint32_t>(micros));
        put32(captured); put32(captured);
        const uint8_t dir = static_cast<uint8_t>(d);
        std::fwrite(&dir, 1, 1, file);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        static const uint8_t kZeros[4] = {};
        std::fwrite(kZeros, 1, padded - captured, file);
        put16(2); put16(4); put32(d == TraceDirection::FromModule ? 1 : 2);  // inbound / outbound
        put32(0);
        put32(total);
    }

    void textLine(TraceDirection d, std::span<const uint8_t> bytes, double seconds) {
        std::fprintf(file, "%12.6f %s %3zu ", seconds, d == TraceDirection::ToModule ? "->" : "<-", bytes.size());
        for (uint8_t b : bytes) std::fprintf(file, " %02X", b);
        const std::string name = FrameName(bytes);
        if (!name.empty()) std::fprintf(file, "  %s", name.c_str());
        std::fputc('\n', file);
    }
};

Trace& TheTrace() {
    static Trace trace;
    return trace;
}

bool StartLocked(Trace& t, const std::string& path, TraceFormat format) {
    if (t.file) std::fclose(t.file);
    t.file = std::fopen(path.c_str(), format == TraceFormat::Pcapng ? "wb" : "w");
    t.running = t.file != nullptr;
    if (!t.file) return false;
    t.format = format;
    t.start = Clock::now();
    t.wallStart = std::chrono::system_clock::now();
    if (format == TraceFormat::Pcapng) t.pcapngHeader();
    else std::fprintf(t.file, "# radlink frame trace: seconds since start, direction, length, bytes, command\n");
    std::fflush(t.file);
    return true;
}

void StartFromEnvironment(Trace& t) {
    std::call_once(t.fromEnvironment, [&] {
        const char* path = std::getenv("RADLINK_TRACE");
        if (!path || !*path) return;
        const size_t n = std::strlen(path);
        const bool pcapng = n >= 7 && std::strcmp(path + n - 7, ".pcapng") == 0;
        std::lock_guard lock(t.mutex);
        if (!t.file) StartLocked(t, path, pcapng ? TraceFormat::Pcapng : TraceFormat::Text);
    });
}

}  // namespace

std::string FrameName(std::span<const uint8_t> b) {
    if (b.size() >= 4 && (b[0] == 0xAB || b[0] == 0xAC) && b[1] == 0xBC && b[2] == 0xCD)
        return Named(b[0] == 0xAC ? "ORLNET route" : "CEL/ORLNET", ConfigCommand(b[3]), b[3]);
    if (b.size() >= 4 && b[0] == 0xDE && b[1] == 0xDF && b[2] == 0xEF) return Named("CEL IO", IoCommand(b[3]), b[3]);
    if (b.size() >= 3 && b[0] == 0xA5) return Named("ORLNET network", NetworkCommand(b[2]), b[2]);
    if (b.size() >= 8 && b[0] == 0x5A && b[1] == 0x5F && b[2] == 0xFA) {
        char text[32];
        std::snprintf(text, sizeof text, "SNAP %s 0x%02X", b[6] == 0x55 ? "READ" : b[6] == 0xAA ? "WRITE" : "?", b[7]);
        return text;
    }
    return "";
}

void TraceBlock(TraceDirection direction, std::span<const uint8_t> bytes) {
    Trace& t = TheTrace();
    StartFromEnvironment(t);
    if (!t.running || bytes.empty()) return;
    std::lock_guard lock(t.mutex);
    if (!t.file) return;
    const auto since = Clock::now() - t.start;
    if (t.format == TraceFormat::Pcapng) {
        // Wall-clock start plus monotonic time since: ordered even when the system clock is set meanwhile.
        const auto at = t.wallStart.time_since_epoch() + since;
        t.pcapngPacket(direction, bytes,
                       static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(at).count()));
    } else {
        t.textLine(direction, bytes, std::chrono::duration<double>(since).count());
    }
    std::fflush(t.file);
}

bool StartTrace(const std::string& path, TraceFormat format) {
    Trace& t = TheTrace();
    StartFromEnvironment(t);  // an explicit start replaces the environment's
    std::lock_guard lock(t.mutex);
    return StartLocked(t, path, format);
}

void StopTrace() {
    Trace& t = TheTrace();
    StartFromEnvironment(t);
    std::lock_guard lock(t.mutex);
    if (t.file) std::fclose(t.file);
    t.file = nullptr;
    t.running = false;
}

}  // namespace radlink
