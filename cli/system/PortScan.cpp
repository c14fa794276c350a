#include "system/PortScan.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace cli {

namespace {

std::string ReadLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

bool BackedByDevice(const fs::path& tty) {
    std::error_code ec;
    if (!fs::exists(tty / "device", ec)) return false;
    const std::string type = ReadLine(tty / "type");  // serial8250 ports without a UART report type 0
    return type.empty() || type != "0";
}

std::string SysName(const std::string& name) {
    std::string s = name;
    std::replace(s.begin(), s.end(), '/', '!');
    return s;
}

std::string NameOf(const std::string& port) { return port.starts_with("/dev/") ? port.substr(5) : port; }

void FillFromSysfs(const fs::path& tty, PortInfo& info) {
    std::error_code ec;
    const fs::path device = fs::canonical(tty / "device", ec);
    if (ec) return;
    info.driver = fs::read_symlink(tty / "device" / "driver", ec).filename().string();
    // The USB device is the first ancestor with a vendor id.
    for (fs::path p = device; !p.empty() && p != p.root_path(); p = p.parent_path()) {
        if (fs::exists(p / "idVendor", ec)) {
            info.usbVendor = ReadLine(p / "idVendor");
            info.usbProduct = ReadLine(p / "idProduct");
            info.usbSerial = ReadLine(p / "serial");
            info.usbManufacturer = ReadLine(p / "manufacturer");
            info.usbProductName = ReadLine(p / "product");
            break;
        }
    }
}

}  // namespace

std::string DevicePath(const std::string& port) { return port.starts_with("/") ? port : "/dev/" + port; }

std::vector<PortHolder> HoldersOf(const std::string& devicePath) {
    std::vector<PortHolder> holders;
    std::error_code ec;
    const fs::path target = fs::weakly_canonical(devicePath, ec);
    const int self = static_cast<int>(getpid());
    for (const auto& proc : fs::directory_iterator("/proc", ec)) {
        const std::string pidText = proc.path().filename().string();
        if (pidText.empty() || !std::all_of(pidText.begin(), pidText.end(), ::isdigit)) continue;
        const int pid = std::stoi(pidText);
        if (pid == self) continue;
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(proc.path() / "fd", fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd.path(), linkError) == target) {
                holders.push_back({pid, ReadLine(proc.path() / "comm")});
                break;
            }
        }
    }
    return holders;
}

PortInfo DescribePort(const std::string& sysTtyRoot, const std::string& port) {
    PortInfo info;
    info.name = NameOf(port);
    info.path = DevicePath(port);
    FillFromSysfs(fs::path(sysTtyRoot) / SysName(info.name), info);
    if (info.driver.empty() && info.name.starts_with("pts/")) info.driver = "pty";
    info.holders = HoldersOf(info.path);
    return info;
}

std::vector<PortInfo> ListPorts(const std::string& sysTtyRoot, const std::vector<std::string>& extra) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysTtyRoot, ec)) {
        if (!BackedByDevice(entry.path())) continue;
        std::string name = entry.path().filename().string();
        std::replace(name.begin(), name.end(), '!', '/');
        names.push_back(name);
    }
    for (const auto& e : extra)
        if (!e.empty()) names.push_back(NameOf(e));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::vector<PortInfo> ports;
    for (const auto& n : names) ports.push_back(DescribePort(sysTtyRoot, n));
    return ports;
}

}  // namespace cli
