// Why a serial port cannot be opened, and what fixes it.
#pragma once

#include <string>
#include <vector>

#include "system/PortScan.h"

namespace cli {

struct Finding {
    std::string check;   // "exists", "permission", "held", "modemmanager", "opens"
    bool ok = true;
    std::string detail;
    std::string fix;     // the command (or step) that fixes it; empty when nothing is to be done
};

// Looks at the device node, its permissions, the processes and locks that hold it, and ModemManager; then tries
// the library's own open (8N1 at 115200) and closes it again.
std::vector<Finding> DiagnosePort(const std::string& sysTtyRoot, const std::string& port);

// A udev rule that gives the logged-in user (and the plugdev group) the CP210x bridges' USB nodes, so that the
// identity dialog reaches them without root, and keeps ModemManager off their serial ports.
std::string Cp210xUdevRule();

}  // namespace cli
