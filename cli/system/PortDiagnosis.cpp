#include "system/PortDiagnosis.h"

#include <fcntl.h>
#include <fmt/core.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sys/sysmacros.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/LineSettings.h"
#include "radlink.h"

namespace cli {

namespace {

constexpr const char* kCp210xProducts[] = {"ea60", "ea61", "ea63", "ea70", "ea71", "ea7a", "ea7b"};

std::string UserName() {
    const passwd* pw = getpwuid(geteuid());
    return pw ? pw->pw_name : std::to_string(geteuid());
}

bool InGroupNow(gid_t gid) {
    if (getegid() == gid) return true;
    std::vector<gid_t> groups(static_cast<size_t>(std::max(getgroups(0, nullptr), 0)));
    const int n = getgroups(static_cast<int>(groups.size()), groups.data());
    for (int i = 0; i < n; ++i)
        if (groups[static_cast<size_t>(i)] == gid) return true;
    return false;
}

bool ListedInGroup(const group* g, const std::string& user) {
    for (char** m = g->gr_mem; m && *m; ++m)
        if (user == *m) return true;
    return false;
}

std::vector<int> ModemManagerPids() {
    std::vector<int> pids;
    std::error_code ec;
    for (const auto& proc : std::filesystem::directory_iterator("/proc", ec)) {
        std::ifstream comm(proc.path() / "comm");
        std::string name;
        if (std::getline(comm, name) && name == "ModemManager") pids.push_back(std::stoi(proc.path().filename()));
    }
    return pids;
}

std::string HolderList(const std::vector<PortHolder>& holders) {
    std::string s;
    for (const auto& h : holders) s += fmt::format("{}{} (pid {})", s.empty() ? "" : ", ", h.command, h.pid);
    return s;
}

// Whether a process holds the port's exclusive lock (the library's, or another program's flock).
bool LockedByAnother(const std::string& path, int& openError) {
    openError = 0;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        openError = errno;
        return false;
    }
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

// The process holding a flock on the device node, from /proc/locks ("1: FLOCK ADVISORY WRITE pid maj:min:inode ...").
int FlockHolder(const struct stat& st) {
    std::ifstream locks("/proc/locks");
    std::string line;
    const std::string node = fmt::format("{:02x}:{:02x}:{}", major(st.st_dev), minor(st.st_dev), st.st_ino);
    while (std::getline(locks, line)) {
        char kind[16] = {}, device[64] = {};
        int pid = 0;
        if (std::sscanf(line.c_str(), "%*s %15s %*s %*s %d %63s", kind, &pid, device) == 3 &&
            std::strcmp(kind, "FLOCK") == 0 && node == device)
            return pid;
    }
    return 0;
}

}  // namespace

std::vector<Finding> DiagnosePort(const std::string& sysTtyRoot, const std::string& port) {
    std::vector<Finding> findings;
    const PortInfo info = DescribePort(sysTtyRoot, port);
    struct stat st {};
    if (::stat(info.path.c_str(), &st) != 0) {
        findings.push_back({"exists", false, fmt::format("{}: {}", info.path, std::strerror(errno)),
                            "ls -l /dev/serial/by-id/; sudo dmesg | tail   # is the module plugged in, which name did "
                            "the bridge get?"});
        return findings;
    }
    if (!S_ISCHR(st.st_mode)) {
        findings.push_back({"exists", false, fmt::format("{} is not a character device", info.path),
                            "ls -l /dev/serial/by-id/   # the serial ports' real names"});
        return findings;
    }
    findings.push_back({"exists", true, fmt::format("{} ({})", info.path, info.driver.empty() ? "tty" : info.driver), ""});

    if (::access(info.path.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        const group* g = getgrgid(st.st_gid);
        const std::string groupName = g ? g->gr_name : std::to_string(st.st_gid);
        const std::string user = UserName();
        if (g && ListedInGroup(g, user) && !InGroupNow(st.st_gid))
            findings.push_back({"permission", false,
                                fmt::format("{} is in group {}, but this session started before", user, groupName),
                                fmt::format("log out and in again (or: newgrp {})", groupName)});
        else
            findings.push_back({"permission", false,
                                fmt::format("{} may not open {} (owner group {})", user, info.path, groupName),
                                fmt::format("sudo usermod -aG {} {}   # then log out and in again", groupName, user)});
    } else {
        findings.push_back({"permission", true, "read and write allowed", ""});
    }

    int openError = 0;
    const bool locked = LockedByAnother(info.path, openError);
    const std::vector<int> modemManager = ModemManagerPids();
    bool heldByModemManager = false;
    for (const auto& h : info.holders) heldByModemManager = heldByModemManager || h.command == "ModemManager";
    if (locked || openError == EBUSY) {
        // The lock's owner first, when the system tells it; else whoever has the port open.
        std::vector<PortHolder> holders = info.holders;
        if (const int owner = FlockHolder(st)) {
            auto it = std::find_if(holders.begin(), holders.end(), [&](const PortHolder& h) { return h.pid == owner; });
            if (it != holders.end()) std::rotate(holders.begin(), it, it + 1);
        }
        const std::string who = holders.empty() ? std::string("a process this user cannot see") : HolderList(holders);
        std::string fix = holders.empty() ? "sudo fuser -v " + info.path
                                          : fmt::format("close {}, or: kill {}", holders.front().command,
                                                        holders.front().pid);
        findings.push_back({"held", false, fmt::format("in use by {}", who), fix});
    } else {
        findings.push_back({"held", true,
                            info.holders.empty() ? "no other process has it open"
                                                 : fmt::format("also open in {}, without a lock", HolderList(info.holders)),
                            ""});
    }
    if (heldByModemManager || (!modemManager.empty() && (info.name.starts_with("ttyUSB") ||
                                                         info.name.starts_with("ttyACM"))))
        findings.push_back({"modemmanager", !heldByModemManager,
                            fmt::format("ModemManager (pid {}) probes new USB serial ports{}", modemManager.front(),
                                        heldByModemManager ? " and holds this one" : ""),
                            "sudo systemctl stop ModemManager   # for good: radlink doctor --udev-rule"});

    LineSettings line;
    OpenPort open;
    if (open.open(info.path, line))
        findings.push_back({"opens", true, "the library opens it (115200 8N1)", ""});
    else
        findings.push_back({"opens", false, "the library cannot open it exclusively", ""});
    return findings;
}

std::string Cp210xUdevRule() {
    std::string rule =
        "# 70-radlink-cp210x.rules: the package installs it in /usr/lib/udev/rules.d; a copy in /etc/udev/rules.d\n"
        "# takes its place.\n"
        "# CP210x USB-to-serial bridges: the logged-in user (uaccess) and the plugdev group may reach the USB\n"
        "# device, so that the bridge identity dialog reads and writes its serial number without root; and\n"
        "# ModemManager leaves their serial ports alone.\n";
    for (const char* product : kCp210xProducts)
        rule += fmt::format(
            "SUBSYSTEM==\"usb\", ATTRS{{idVendor}}==\"10c4\", ATTRS{{idProduct}}==\"{0}\", MODE=\"0660\", "
            "GROUP=\"plugdev\", TAG+=\"uaccess\"\n"
            "SUBSYSTEM==\"tty\", ATTRS{{idVendor}}==\"10c4\", ATTRS{{idProduct}}==\"{0}\", "
            "ENV{{ID_MM_DEVICE_IGNORE}}=\"1\"\n",
            product);
    rule +=
        "# Install: radlink doctor --udev-rule | sudo tee /etc/udev/rules.d/70-radlink-cp210x.rules\n"
        "#          sudo udevadm control --reload-rules && sudo udevadm trigger\n";
    return rule;
}

}  // namespace cli
