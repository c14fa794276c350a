// Module passwords: reading them, and changing them only against the module's current one.
#include <cstring>

#include "SnapFixture.h"

using namespace snaptest;

namespace {
sim::SnapUnit& Far(sim::SnapModel& m) { return *m.findRemote(kFar); }
Bytes Padded(const char* text, size_t size) {
    Bytes b(size, 0);
    std::memcpy(b.data(), text, std::strlen(text));
    return b;
}
}  // namespace

TEST_F(SnapTest, PasswordReadsHandBackTwelveBytesLocallyAndNineRemotely) {
    startWithFarRemote();
    withModel([](sim::SnapModel& m) {
        m.local().password = "123456789";
        Far(m).password = "abcdefghi";
        return 0;
    });
    char buf[32];
    std::memset(buf, 0x7E, sizeof buf);
    ASSERT_EQ(QVZB_SNAP_GetLocalPwd(buf), 1);
    EXPECT_EQ(Bytes(buf, buf + 13), Bytes({'1', '2', '3', '4', '5', '6', '7', '8', '9', 0, 0, 0, 0x7E}));
    std::memset(buf, 0x7E, sizeof buf);
    ASSERT_EQ(QVZB_SNAP_GetRemotePwd(0, buf), 1);
    EXPECT_EQ(Bytes(buf, buf + 10), Bytes({'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 0x7E}));
    EXPECT_EQ(framesAfter(6), (std::vector<Bytes>{Frame(kLocal, kRead, 0xC4), SetChannel(kFarChannel),
                                                  SetRate(kFarRate), Frame(kFar, kRead, 0xC4),
                                                  SetChannel(kOwnChannel), SetRate(kOwnRate)}));
    // The header must come back unchanged.
    server().injectFault(sim::Fault::setByte(4, 0x09));
    EXPECT_EQ(QVZB_SNAP_GetLocalPwd(buf), 0);
}

TEST_F(SnapTest, PasswordChangeNeedsTheModulesPasswordAndAtMostNineBytes) {
    startLoaded();
    // Too long: nothing is sent.
    EXPECT_EQ(QVZB_SNAP_SetLocalPwd("123456", "0123456789"), 0);
    EXPECT_TRUE(frames().empty());
    // Wrong old password: read, compare, no write.
    EXPECT_EQ(QVZB_SNAP_SetLocalPwd("654321", "abc"), 0);
    EXPECT_EQ(framesAfter(1), std::vector<Bytes>{Frame(kLocal, kRead, 0xC4)});
    // A prefix of the module's password is not the password.
    EXPECT_EQ(QVZB_SNAP_SetLocalPwd("12345", "abc"), 0);
    server().clearLog();
    // Right: nine bytes, the text padded with zeros; nine characters fit.
    EXPECT_EQ(QVZB_SNAP_SetLocalPwd("123456", "abcdefghi"), 1);
    EXPECT_EQ(framesAfter(2), (std::vector<Bytes>{Frame(kLocal, kRead, 0xC4),
                                                  Frame(kLocal, kWrite, 0xC4, Padded("abcdefghi", 9))}));
    EXPECT_EQ(QVZB_SNAP_SetLocalPwd("abcdefghi", "xy"), 1);
    withModel([](sim::SnapModel& m) { EXPECT_EQ(m.local().password, "xy"); return 0; });
    // A refused write reports failure.
    server().injectFault(sim::Fault::setByte(17, 0).onlyWhen(6, kWrite));
    EXPECT_EQ(QVZB_SNAP_SetLocalPwd("xy", "zz"), 0);
    EXPECT_EQ(QVZB_SNAP_SetLocalPwd(nullptr, "zz"), 0);
}

TEST_F(SnapTest, RemotePasswordChangeReadsAndWritesInOneTuning) {
    startWithFarRemote();
    EXPECT_EQ(QVZB_SNAP_SetRemotePwd(0, "far", "near"), 1);
    EXPECT_EQ(framesAfter(6), Tuned({Frame(kFar, kRead, 0xC4), Frame(kFar, kWrite, 0xC4, Padded("near", 9))}));
    withModel([](sim::SnapModel& m) { EXPECT_EQ(Far(m).password, "near"); return 0; });
    server().clearLog();
    EXPECT_EQ(QVZB_SNAP_SetRemotePwd(0, "far", "x"), 0);
    EXPECT_EQ(framesAfter(5), Tuned({Frame(kFar, kRead, 0xC4)}));
}
