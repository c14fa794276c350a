// ports on a sysfs tree laid out as the kernel lays out a CP210x bridge, and a serial8250 port without a UART.
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

#include "SimModule.h"

namespace clitest {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

void Put(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

using PortsSysfsTest = CliTest;

TEST_F(PortsSysfsTest, DriverAndUsbBridgeFromSysfs) {
    const fs::path root = files_.path();
    const fs::path usb = root / "devices/pci0000:00/usb1/1-2";
    const fs::path iface = usb / "1-2:1.0";
    Put(usb / "idVendor", "10c4");
    Put(usb / "idProduct", "ea60");
    Put(usb / "serial", "0001-BENCH-7");
    Put(usb / "manufacturer", "Silicon Labs");
    Put(usb / "product", "CP2102 USB to UART Bridge Controller");
    fs::create_directories(iface / "ttyUSB0");
    fs::create_directories(root / "bus/usb-serial/drivers/cp210x");
    fs::create_symlink(root / "bus/usb-serial/drivers/cp210x", iface / "ttyUSB0/driver");
    fs::create_directories(root / "class/tty/ttyUSB0");
    fs::create_symlink(iface / "ttyUSB0", root / "class/tty/ttyUSB0/device");
    // a legacy port with no UART behind it is not listed, nor a tty without a device
    fs::create_directories(root / "devices/platform/serial8250/tty/ttyS3");
    fs::create_directories(root / "class/tty/ttyS3");
    fs::create_symlink(root / "devices/platform/serial8250/tty/ttyS3", root / "class/tty/ttyS3/device");
    Put(root / "class/tty/ttyS3/type", "0");
    fs::create_directories(root / "class/tty/tty7");

    const std::string sys = (root / "class/tty").string();
    const auto table = run({"ports", "--sys-root", sys});
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_THAT(table.out, HasSubstr("ttyUSB0  cp210x  10c4:ea60 CP2102 USB to UART Bridge Controller  0001-BENCH-7  -"));
    EXPECT_THAT(table.out, Not(HasSubstr("ttyS3")));
    EXPECT_THAT(table.out, Not(HasSubstr("tty7")));

    const auto json = run({"ports", "--sys-root", sys, "--json"}).json();
    ASSERT_EQ(json.size(), 1u);
    EXPECT_EQ(json[0]["path"], "/dev/ttyUSB0");
    EXPECT_EQ(json[0]["usb"]["vendor"], "10c4");
    EXPECT_EQ(json[0]["usb"]["serial"], "0001-BENCH-7");
    EXPECT_EQ(json[0]["usb"]["manufacturer"], "Silicon Labs");
}

}  // namespace
}  // namespace clitest
