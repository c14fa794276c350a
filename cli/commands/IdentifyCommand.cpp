// radlink identify: which family answers on a port (and for CEL, which product line); --probe tries the usual
// line rates.
#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include <memory>

#include "commands/Commands.h"
#include "core/ExitCodes.h"
#include "core/LineSettings.h"
#include "module/CelFamily.h"
#include "module/Family.h"

namespace cli {

namespace {

struct IdentifyOptions {
    std::string port;
    LineSettings line;
    bool probe = false;
    bool json = false;
};

constexpr int kProbeRates[] = {115200, 9600, 57600, 38400, 19200, 230400, 460800, 4800, 2400, 1200};

Json Identify(const std::string& family, Record record) {
    auto f = MakeFamily(family);
    Json j{{"family", family}};
    if (const FieldSpec* v = FindField(f->fields(), "firmwareVersion")) j["firmware"] = FieldMeaning(*v, record);
    if (family == "cel") {
        const int64_t word = FieldNumber(*FindField(f->fields(), "controlWord"), record);
        j["controlWord"] = word;
        j["productLine"] = CelProductLine(word);
    }
    if (const FieldSpec* n = FindField(f->fields(), "deviceName")) j["deviceName"] = FieldValue(*n, record);
    if (const FieldSpec* m = FindField(f->fields(), "MAC")) j["mac"] = FieldValue(*m, record);
    return j;
}

int RunIdentify(const IdentifyOptions& o) {
    std::vector<int> rates{o.line.baud};
    if (o.probe)
        for (int r : kProbeRates)
            if (r != o.line.baud) rates.push_back(r);
    bool opened = false;
    for (int baud : rates) {
        LineSettings line = o.line;
        line.baud = baud;
        for (const char* name : kFamilyNames) {
            OpenPort port;
            if (!port.open(o.port, line)) continue;
            opened = true;
            Bytes record;
            if (!MakeFamily(name)->load(std::nullopt, record)) continue;
            Json j = Identify(name, record);
            j["port"] = o.port;
            j["baud"] = baud;
            if (o.json) {
                fmt::print("{}\n", j.dump(2));
            } else {
                fmt::print("{}: {} module", o.port, name);
                if (j.contains("productLine"))
                    fmt::print(", product line {} (control word {})", j["productLine"].get<std::string>(),
                               j["controlWord"].get<int>());
                if (j.contains("firmware")) fmt::print(", firmware {}", j["firmware"].get<std::string>());
                fmt::print(", at {} baud\n", baud);
            }
            return kExitOk;
        }
        if (!opened) {
            ReportUnopenedPort(o.port);
            return kExitPortUnavailable;
        }
    }
    fmt::print(stderr, "radlink: no CEL, ORLNET or SNAP module answered on {}{}\n", o.port,
               o.probe ? " at any usual line rate" : fmt::format(" at {} baud (--probe tries others)", o.line.baud));
    return kExitFailed;
}

}  // namespace

void AddIdentifyCommand(CLI::App& app, int& exitCode) {
    auto o = std::make_shared<IdentifyOptions>();
    auto* c = app.add_subcommand("identify", "tell which module family (and CEL product line) answers on a port");
    c->add_option("PORT", o->port, "serial port")->required();
    c->add_flag("--probe", o->probe, "try the usual line rates until a module answers");
    c->add_flag("--json", o->json, "print JSON");
    AddLineOptions(*c, o->line);
    c->callback([o, &exitCode] { exitCode = RunIdentify(*o); });
}

}  // namespace cli
