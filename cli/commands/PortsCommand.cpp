// radlink ports: the serial ports with their driver, USB bridge and the processes that hold them.
#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "commands/Commands.h"
#include "core/Table.h"
#include "module/Field.h"
#include "system/PortScan.h"

namespace cli {

namespace {

struct PortsOptions {
    std::vector<std::string> extra;
    bool json = false;
    std::string sysRoot = "/sys/class/tty";
};

// Ports named in RADLINK_PORTS (colon-separated), as Plexcon takes PLEXCON_PORTS.
std::vector<std::string> PortsFromEnvironment() {
    std::vector<std::string> ports;
    const char* env = std::getenv("RADLINK_PORTS");
    std::stringstream in(env ? env : "");
    for (std::string p; std::getline(in, p, ':');)
        if (!p.empty()) ports.push_back(p);
    return ports;
}

std::string HoldersText(const std::vector<PortHolder>& holders) {
    std::string s;
    for (const auto& h : holders) s += fmt::format("{}{} ({})", s.empty() ? "" : ", ", h.command, h.pid);
    return s.empty() ? "-" : s;
}

Json PortJson(const PortInfo& p) {
    Json holders = Json::array();
    for (const auto& h : p.holders) holders.push_back({{"pid", h.pid}, {"command", h.command}});
    Json j{{"name", p.name}, {"path", p.path}, {"driver", p.driver}, {"heldBy", holders}};
    if (!p.usbVendor.empty())
        j["usb"] = {{"vendor", p.usbVendor},
                    {"product", p.usbProduct},
                    {"serial", p.usbSerial},
                    {"manufacturer", p.usbManufacturer},
                    {"productName", p.usbProductName}};
    return j;
}

int RunPorts(const PortsOptions& o) {
    std::vector<std::string> extra = o.extra;
    for (auto& p : PortsFromEnvironment()) extra.push_back(p);
    const auto ports = ListPorts(o.sysRoot, extra);
    if (o.json) {
        Json all = Json::array();
        for (const auto& p : ports) all.push_back(PortJson(p));
        fmt::print("{}\n", all.dump(2));
        return 0;
    }
    Table table({"PORT", "DRIVER", "USB", "SERIAL", "HELD BY"});
    for (const auto& p : ports)
        table.add({p.name, p.driver.empty() ? "-" : p.driver,
                   p.usbVendor.empty() ? "-" : fmt::format("{}:{} {}", p.usbVendor, p.usbProduct, p.usbProductName),
                   p.usbSerial.empty() ? "-" : p.usbSerial, HoldersText(p.holders)});
    table.print();
    return 0;
}

}  // namespace

void AddPortsCommand(CLI::App& app, int& exitCode) {
    auto o = std::make_shared<PortsOptions>();
    auto* c = app.add_subcommand("ports", "list the serial ports: driver, USB bridge, which process holds each");
    c->add_option("EXTRA", o->extra, "further ports to describe (ptys of radlink-sim); also RADLINK_PORTS=a:b");
    c->add_flag("--json", o->json, "print JSON instead of a table");
    c->add_option("--sys-root", o->sysRoot, "where the tty devices are listed (default /sys/class/tty)");
    c->callback([o, &exitCode] { exitCode = RunPorts(*o); });
}

}  // namespace cli
