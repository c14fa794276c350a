// The serial line settings of Plexcon's serial panel, as options, and opening the library's port with them.
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace cli {

struct LineSettings {
    int baud = 115200;
    int dataBits = 8;
    std::string parity = "none";  // none, odd, even, mark, space
    std::string stopBits = "1";   // 1, 1.5, 2
    unsigned timeoutMs = 100;
};

// Adds --baud, --data-bits, --parity, --stop-bits and --timeout to a subcommand.
void AddLineOptions(CLI::App& command, LineSettings& settings);

// The library's name for a port given as /dev/NAME, NAME (under /dev) or any other absolute path.
std::string LibraryPortName(const std::string& port);

// Opens the library's port; closed again when the object goes. open() false means the port could not be opened.
class OpenPort {
public:
    OpenPort() = default;
    ~OpenPort();
    OpenPort(const OpenPort&) = delete;
    OpenPort& operator=(const OpenPort&) = delete;
    bool open(const std::string& port, const LineSettings& settings);
    void close();

private:
    bool open_ = false;
};

// Prints why `port` did not open (and the hint to run `radlink doctor`).
void ReportUnopenedPort(const std::string& port);

}  // namespace cli
