// radlink doctor: why a port cannot be opened, each with the command that fixes it.
#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include <memory>

#include "commands/Commands.h"
#include "core/ExitCodes.h"
#include "module/Field.h"
#include "system/PortDiagnosis.h"

namespace cli {

namespace {

struct DoctorOptions {
    std::vector<std::string> ports;
    bool udevRule = false;
    bool json = false;
    std::string sysRoot = "/sys/class/tty";
};

int RunDoctor(const DoctorOptions& o) {
    if (o.udevRule) {
        fmt::print("{}", Cp210xUdevRule());
        return kExitOk;
    }
    std::vector<std::string> ports = o.ports;
    if (ports.empty())
        for (const auto& p : ListPorts(o.sysRoot, {})) ports.push_back(p.name);
    int code = kExitOk;
    Json all = Json::array();
    for (const auto& port : ports) {
        const auto findings = DiagnosePort(o.sysRoot, port);
        const bool opens = !findings.empty() && findings.back().check == "opens" && findings.back().ok;
        if (!opens) code = kExitPortUnavailable;
        Json checks = Json::array();
        for (const auto& f : findings)
            checks.push_back({{"check", f.check}, {"ok", f.ok}, {"detail", f.detail}, {"fix", f.fix}});
        all.push_back({{"port", port}, {"opens", opens}, {"checks", checks}});
        if (o.json) continue;
        fmt::print("{}: {}\n", port, opens ? "opens" : "cannot be opened");
        for (const auto& f : findings) {
            fmt::print("  [{}] {:<13} {}\n", f.ok ? " ok " : "FAIL", f.check, f.detail);
            if (!f.fix.empty()) fmt::print("         fix: {}\n", f.fix);
        }
    }
    if (o.json) fmt::print("{}\n", all.dump(2));
    return code;
}

}  // namespace

void AddDoctorCommand(CLI::App& app, int& exitCode) {
    auto o = std::make_shared<DoctorOptions>();
    auto* c = app.add_subcommand("doctor", "tell why a serial port cannot be opened, and how to fix it");
    c->add_option("PORT", o->ports, "ports to look at (default: every serial port)");
    c->add_flag("--udev-rule", o->udevRule, "print a udev rule for CP210x bridges (identity without root)");
    c->add_flag("--json", o->json, "print JSON");
    c->add_option("--sys-root", o->sysRoot, "where the tty devices are listed (default /sys/class/tty)");
    c->callback([o, &exitCode] { exitCode = RunDoctor(*o); });
}

}  // namespace cli
