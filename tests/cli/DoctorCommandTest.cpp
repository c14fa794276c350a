// doctor: a port held by another process, a missing port, a healthy one, and the udev rule.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/file.h>
#include <unistd.h>

#include "SimModule.h"

namespace clitest {
namespace {

using ::testing::HasSubstr;

using DoctorTest = CliTest;

nlohmann::ordered_json Check(const nlohmann::ordered_json& port, const std::string& name) {
    for (const auto& c : port["checks"])
        if (c["check"] == name) return c;
    return {};
}

TEST_F(DoctorTest, NamesTheProcessThatHoldsThePortAndHowToFreeIt) {
    auto server = ServeCel();
    const int fd = ::open(server->devicePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);  // as the library of another running program does
    const std::string pid = std::to_string(getpid());

    const auto r = run({"doctor", server->devicePath()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_THAT(r.out, HasSubstr("cannot be opened"));
    EXPECT_THAT(r.out, HasSubstr("[FAIL] held          in use by radlink_cli_tes (pid " + pid + ")"));
    EXPECT_THAT(r.out, HasSubstr("fix: close radlink_cli_tes, or: kill " + pid));
    EXPECT_EQ(run({"read", server->devicePath()}).exitCode, 3);

    const auto j = run({"doctor", server->devicePath(), "--json"});
    const auto port = j.json()[0];
    EXPECT_EQ(port["opens"], false);
    EXPECT_EQ(Check(port, "held")["ok"], false);
    EXPECT_EQ(Check(port, "exists")["ok"], true);
    ::close(fd);

    const auto freed = run({"doctor", server->devicePath(), "--json"});
    EXPECT_EQ(freed.exitCode, 0) << freed.out;
    EXPECT_EQ(freed.json()[0]["opens"], true);
}

TEST_F(DoctorTest, MissingPortAndNotADevice) {
    auto r = run({"doctor", "ttyUSB-radlink-missing"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_THAT(r.out, HasSubstr("/dev/ttyUSB-radlink-missing: No such file or directory"));
    EXPECT_THAT(r.out, HasSubstr("fix: ls -l /dev/serial/by-id/"));
    r = run({"doctor", files_.write("plain", "x")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_THAT(r.out, HasSubstr("is not a character device"));
}

TEST_F(DoctorTest, UdevRuleCoversTheCp210xBridges) {
    const auto r = run({"doctor", "--udev-rule"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_THAT(r.out, HasSubstr("SUBSYSTEM==\"usb\", ATTRS{idVendor}==\"10c4\", ATTRS{idProduct}==\"ea60\", "
                                 "MODE=\"0660\", GROUP=\"plugdev\", TAG+=\"uaccess\""));
    EXPECT_THAT(r.out, HasSubstr("ENV{ID_MM_DEVICE_IGNORE}=\"1\""));
    EXPECT_THAT(r.out, HasSubstr("udevadm control --reload-rules"));
}

}  // namespace
}  // namespace clitest
