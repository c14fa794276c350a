#include "core/LineSettings.h"

#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include <map>

#include "radlink.h"

namespace cli {

namespace {

const std::map<std::string, int> kParities{{"none", 0}, {"odd", 1}, {"even", 2}, {"mark", 3}, {"space", 4}};
const std::map<std::string, int> kStopBits{{"1", 0}, {"1.5", 1}, {"2", 2}};

}  // namespace

void AddLineOptions(CLI::App& command, LineSettings& s) {
    const char* group = "Serial line";
    command.add_option("--baud", s.baud, "line rate (default 115200)")
        ->check(CLI::Range(50, 4000000))
        ->group(group);
    command.add_option("--data-bits", s.dataBits, "5..8 (default 8)")->check(CLI::Range(5, 8))->group(group);
    command.add_option("--parity", s.parity, "none, odd, even, mark or space (default none)")
        ->check(CLI::IsMember({"none", "odd", "even", "mark", "space"}))
        ->group(group);
    command.add_option("--stop-bits", s.stopBits, "1, 1.5 or 2 (default 1)")
        ->check(CLI::IsMember({"1", "1.5", "2"}))
        ->group(group);
    command.add_option("--timeout", s.timeoutMs, "read time-out in ms (default 100)")
        ->check(CLI::Range(1, 60000))
        ->group(group);
}

std::string LibraryPortName(const std::string& port) {
    if (port.starts_with("/")) return port;
    return "\\\\.\\" + port;
}

OpenPort::~OpenPort() { close(); }

bool OpenPort::open(const std::string& port, const LineSettings& s) {
    close();
    // RTS, CTS and DSR as Plexcon's serial panel sets them: no handshake.
    open_ = QVZB_OpenCom(LibraryPortName(port).c_str(), s.baud, s.dataBits, kParities.at(s.parity),
                         kStopBits.at(s.stopBits), 0, 0, 0, 0, s.timeoutMs) == 1;
    return open_;
}

void OpenPort::close() {
    if (open_) QVZB_CloseCom();
    open_ = false;
}

void ReportUnopenedPort(const std::string& port) {
    fmt::print(stderr, "radlink: cannot open {} (run `radlink doctor {}` to see why)\n", port, port);
}

}  // namespace cli
