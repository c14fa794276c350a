// What the system knows of serial ports: those under /sys/class/tty backed by a device (as Plexcon lists them),
// their driver and USB bridge, and the processes that hold them open.
#pragma once

#include <string>
#include <vector>

namespace cli {

struct PortHolder {
    int pid = 0;
    std::string command;  // the process's name
};

struct PortInfo {
    std::string name;  // relative to /dev ("ttyUSB0", "pts/3")
    std::string path;  // "/dev/ttyUSB0"
    std::string driver;
    std::string usbVendor, usbProduct, usbSerial, usbManufacturer, usbProductName;
    std::vector<PortHolder> holders;
};

// Ports under `sysTtyRoot` plus `extra` (paths or names; the ptys of radlink-sim), sorted by name.
std::vector<PortInfo> ListPorts(const std::string& sysTtyRoot, const std::vector<std::string>& extra);
// What is known of one port.
PortInfo DescribePort(const std::string& sysTtyRoot, const std::string& port);
// Processes other than this one with `devicePath` open (those this user may look at).
std::vector<PortHolder> HoldersOf(const std::string& devicePath);
// "/dev/NAME" for a name, the path as it stands otherwise.
std::string DevicePath(const std::string& port);

}  // namespace cli
