// radlink-sim: serves a simulated module on a pseudo-terminal until interrupted.
#include <getopt.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "core/Scenario.h"
#include "core/SimServer.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) { g_stop = 1; }

void usage(std::FILE* out) {
    std::fprintf(out,
                 "Usage: radlink-sim [options]\n"
                 "Serves a simulated radio module on a pseudo-terminal and prints the device path to open.\n\n"
                 "  -f, --family NAME      module family:");
    for (const auto& f : sim::Families()) std::fprintf(out, " %s", f.name);
    std::fprintf(out,
                 " (default cel)\n"
                 "  -l, --line NAME        CEL product line: quickmesh, vnet, or a control word (default quickmesh)\n"
                 "  -r, --record N         CEL configuration reply length: 85, 80, 79 or 74 (default 85)\n"
                 "  -n, --remotes N        remote modules on the air (default 3)\n"
                 "  -p, --password TEXT    configuration password (default 123456)\n"
                 "  -b, --pace BAUD        send answers at this line rate, 10 bits a byte (default: at once)\n"
                 "  -v, --verbose          print every frame received\n"
                 "  -h, --help             this text\n");
    for (const auto& f : sim::Families())
        if (f.help && *f.help) std::fprintf(out, "\n%s:\n%s", f.name, f.help);
}

bool toInt(const char* text, int& out) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 0);
    if (!text[0] || *end) return false;
    out = static_cast<int>(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    sim::ScenarioOptions options;
    bool verbose = false;
    const option longOptions[] = {
        {"family", required_argument, nullptr, 'f'}, {"line", required_argument, nullptr, 'l'},
        {"record", required_argument, nullptr, 'r'}, {"remotes", required_argument, nullptr, 'n'},
        {"password", required_argument, nullptr, 'p'}, {"pace", required_argument, nullptr, 'b'},
        {"verbose", no_argument, nullptr, 'v'},       {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0}};
    for (int c; (c = getopt_long(argc, argv, "f:l:r:n:p:b:vh", longOptions, nullptr)) != -1;) {
        bool ok = true;
        switch (c) {
            case 'f': options.family = optarg; break;
            case 'l': options.productLine = optarg; break;
            case 'r': ok = toInt(optarg, options.recordLength); break;
            case 'n': ok = toInt(optarg, options.remotes) && options.remotes >= 0; break;
            case 'p': options.password = optarg; break;
            case 'b': ok = toInt(optarg, options.pacingBaud) && options.pacingBaud >= 0; break;
            case 'v': verbose = true; break;
            case 'h': usage(stdout); return 0;
            default: usage(stderr); return 2;
        }
        if (!ok) {
            std::fprintf(stderr, "radlink-sim: bad value for -%c: %s\n", c, optarg);
            return 2;
        }
    }
    const sim::FamilyEntry* family = sim::FindFamily(options.family);
    if (!family) {
        std::fprintf(stderr, "radlink-sim: unknown family '%s'\n", options.family.c_str());
        return 2;
    }
    std::unique_ptr<sim::ModuleModel> model;
    try {
        model = family->make(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "radlink-sim: %s\n", e.what());
        return 2;
    }
    std::string description = model->describe();
    sim::SimServer server(std::move(model));
    server.setPacing(options.pacingBaud);

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("%s\n", server.devicePath().c_str());
    std::fprintf(stderr, "radlink-sim: %s on %s (port name for Plexcon: %s); Ctrl+C ends\n", description.c_str(),
                 server.devicePath().c_str(), server.portName().c_str());
    std::fflush(stdout);
    size_t shown = 0;
    while (!g_stop) {
        if (!verbose) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            continue;
        }
        if (server.waitForFrames(shown + 1, std::chrono::milliseconds(200))) {
            auto frames = server.frames();
            for (; shown < frames.size(); ++shown) {
                std::fprintf(stderr, "<-");
                for (uint8_t b : frames[shown].bytes) std::fprintf(stderr, " %02X", b);
                std::fprintf(stderr, "\n");
            }
        }
    }
    return 0;
}
