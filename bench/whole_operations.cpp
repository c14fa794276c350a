// Whole operations as a user waits for them, beside their protocol floor: a CEL search over 16 channels, a CEL
// remote read and write, a CEL and an ORLNET upgrade of 300 blocks, against the simulator pacing its answers at
// the line rate (10 bits a byte) in this process. Measured only, never asserted.
//
// The floor of one exchange: the request's wire time, then the pause the protocol makes after writing or the
// answer's wire time, whichever ends later (the module answers at once, during the pause), then the read interval
// that ends a read at the line's quiet gap (not for reads that end on their capacity). A read that gets no answer
// lasts the read time-out; a command that awaits no answer costs its pause. Search answers leave the simulated
// modules 10 ms apart. The upgrades run through the RADLINK_ progress exports (the same frames and pauses as the
// QVZB_ ones) so that each block's exchange is timed too: the median block beside its floor, and the blocks that
// took over a millisecond more than their floor with the time they added.
//
// The process keeps to one CPU (RADLINK_BENCH_PIN=0 lets it spread): on a virtual machine, waking the simulator's
// thread on another, idle virtual CPU now and then takes some 3 ms, which a module on a real line never costs.
// Usage: bench-whole-operations BAUD [REPEATS]
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "cel/CelModel.h"
#include "core/SimServer.h"
#include "orlnet/OrlnetModel.h"
#include "radlink.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kReadTimeoutMs = 200;
constexpr int kBlocks = 300;
constexpr double kRestartMs = 400;  // a restart awaits no answer: its 400 ms pause

struct Line {
    int baud;
    double Wire(int bytes) const { return bytes * 10 * 1000.0 / baud; }
    double Interval() const { return std::max(1, 400000 / baud); }
    // Request, pause, answer read up to the quiet gap.
    double Exchange(int request, double pauseMs, int answer) const {
        return std::max(pauseMs, Wire(request) + Wire(answer)) + Interval();
    }
};

double TimeMs(const std::function<int()>& call, int& result) {
    const auto t0 = Clock::now();
    result = call();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

std::string Image(int blocks) {
    const std::string path = "/tmp/bench-whole-operations-image.bin";
    std::vector<unsigned char> file;
    for (int32_t word : {0, 0, 0x1000, 0x1000 + 64 * blocks, 0})
        for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<unsigned char>(word >> shift));
    for (int i = 0; i < 64 * blocks; ++i) file.push_back(static_cast<unsigned char>(i * 13));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                static_cast<std::streamsize>(file.size()));
    return path;
}

bool Open(const sim::SimServer& server, int baud) {
    const std::string port = "\\\\.\\" + server.portName();
    return QVZB_OpenCom(port.c_str(), baud, 8, 0, 0, 0, 1, 0, 0, kReadTimeoutMs) == 1;
}

void Report(const char* what, double measured, double floor, int result) {
    std::printf("  %-28s %10.1f %10.1f %8.4f%s\n", what, measured, floor, measured / floor, result ? "" : "  (failed)");
}

// Keeps this thread, and the simulator's threads started after it, on the first CPU it may use.
void PinToOneCpu() {
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (!CPU_ISSET(cpu, &allowed)) continue;
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(cpu, &one);
        if (sched_setaffinity(0, sizeof one, &one) == 0) std::printf("(kept to CPU %d)\n", cpu);
        return;
    }
}

// When each block of an upgrade was accepted.
struct BlockTimes {
    std::vector<Clock::time_point> accepted;
    static int Record(void* context, int done, int /*total*/) {
        if (done > 0) static_cast<BlockTimes*>(context)->accepted.push_back(Clock::now());
        return 1;
    }
    // Median block against its floor; the blocks over floor + 1 ms, and the time they added over their floor.
    void Report(double blockFloor) const {
        std::vector<double> ms;
        for (size_t i = 1; i < accepted.size(); ++i)
            ms.push_back(std::chrono::duration<double, std::milli>(accepted[i] - accepted[i - 1]).count());
        if (ms.empty()) return;
        int slow = 0;
        double added = 0;
        for (double m : ms)
            if (m > blockFloor + 1) ++slow, added += m - blockFloor;
        std::sort(ms.begin(), ms.end());
        std::printf("    per block: median %.2f / floor %.2f ms = %.4f; %d of %zu blocks over floor + 1 ms, "
                    "adding %.1f ms\n", ms[ms.size() / 2], blockFloor, ms[ms.size() / 2] / blockFloor, slow,
                    ms.size(), added);
    }
};

using UpgradeCall = int (*)(int, const char*, int, int, int, RADLINK_UpgradeProgress, void*);

// A local upgrade of the image (run state 0xAA: normal firmware) timed whole and block by block. Its floor: the
// opening command (9 bytes, 9-byte answer) and its restart, the blocks (73 bytes, 10 ms pause, 9-byte answer),
// the closing command and its restart.
void UpgradeRow(const char* what, UpgradeCall upgrade, const std::string& image, int address, int controlWord,
                const Line& line) {
    BlockTimes blocks;
    int result = 0;
    const double ms = TimeMs(
        [&] {
            return upgrade(-1, image.c_str(), 0xAA, address, controlWord, BlockTimes::Record, &blocks) ==
                   RADLINK_UPGRADE_DONE;
        },
        result);
    const double block = line.Exchange(73, 10, 9);
    Report(what, ms, 2 * (line.Exchange(9, 0, 9) + kRestartMs) + kBlocks * block, result);
    blocks.Report(block);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s BAUD [REPEATS]\n", argv[0]);
        return 2;
    }
    const char* pin = std::getenv("RADLINK_BENCH_PIN");
    if (!pin || std::string(pin) != "0") PinToOneCpu();
    const Line line{std::atoi(argv[1])};
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 1;
    const std::string image = Image(kBlocks);
    std::printf("%d baud (read time-out %u ms, interval %.0f ms)\n  %-28s %10s %10s %8s\n", line.baud,
                kReadTimeoutMs, line.Interval(), "operation", "ms", "floor ms", "ratio");

    // Tuning: set channel (100 ms pause) and set rate, 6-byte requests, 5-byte acknowledgements.
    const double tune = line.Exchange(6, 100, 5) + line.Exchange(6, 0, 5);

    for (int r = 0; r < repeats; ++r) {
        sim::CelModelOptions options;
        options.remotes = 16;
        sim::SimServer cel(std::make_unique<sim::CelModel>(options));
        cel.setPacing(line.baud);
        if (!Open(cel, line.baud) || !QVZB_CEL_LoadInfo()) return 1;
        int result = 0;

        // Search over 16 channels at rate 0: per channel the tuning there and back, the 5-byte request and each
        // module's 13-byte answer (reads of 13 end on their capacity), and the two reads that find none.
        double searchFloor = 0;
        cel.withModel<sim::CelModel>([&](sim::CelModel& m) {
            for (int channel = 11; channel <= 26; ++channel) {
                int answers = 0;
                for (size_t i = 0; i < m.remoteCount(); ++i)
                    answers += m.remote(i).channel() == channel && m.remote(i).airRate() == 0;
                // The request's wire time delays the answers; on a silent channel it runs inside the time-out.
                const double heard = answers > 0 ? line.Wire(5) + answers * (10 + line.Wire(13)) : 0;
                searchFloor += 2 * tune + heard + 2 * kReadTimeoutMs;
            }
        });
        QVZB_CEL_ClearSearchArr();
        const double search = TimeMs(
            [] {
                int found = 0;
                for (int channel = 11; channel <= 26; ++channel) found += QVZB_CEL_SearchDev(channel, 0);
                return found;
            },
            result);
        Report("CEL search, 16 channels", search, searchFloor, result);

        // Remote read: tuned there, 7-byte request, 100 ms pause, 85-byte record, tuned back.
        const double read = TimeMs([] { return QVZB_CEL_LoadRemoteDevInfo(0); }, result);
        Report("CEL remote read", read, 2 * tune + line.Exchange(7, 100, 85), result);
        // Remote write: tuned there, 83-byte request, 7-byte acknowledgement, restart, tuned back.
        const double write = TimeMs([] { return QVZB_CEL_SubmitRemoteDevInfo(0); }, result);
        Report("CEL remote write", write, 2 * tune + line.Exchange(83, 0, 7) + kRestartMs, result);

        // The blocks are those of the second phase.
        UpgradeRow("CEL upgrade, 300 blocks", RADLINK_CEL_UpdateWithProgress, image, 0x0010, 1, line);
        QVZB_CloseCom();
    }
    for (int r = 0; r < repeats; ++r) {
        sim::SimServer orlnet(std::make_unique<sim::OrlnetModel>());
        orlnet.setPacing(line.baud);
        if (!Open(orlnet, line.baud)) return 1;
        // The blocks are those of the second region.
        UpgradeRow("ORLNET upgrade, 300 blocks", RADLINK_ORLNET_UpdateWithProgress, image, 0x2000, 0x0C10, line);
        QVZB_CloseCom();
    }
    return 0;
}
