// Test support: the library's port on a simulated SNAP module, remote modules on the air around it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <functional>

#include "radlink.h"
#include "snap/SnapModel.h"
#include "support/SimPort.h"

namespace snaptest {

using sim::Bytes;
using Address = std::array<uint8_t, 3>;
using Clock = std::chrono::steady_clock;

inline constexpr Address kLocal{0x00, 0x00, 0x00};
inline constexpr uint8_t kRead = 0x55, kWrite = 0xAA;
// The simulated local module's own channel index and air rate.
inline constexpr uint8_t kOwnChannel = 4, kOwnRate = 0;
// A remote module off the local module's channel and rate: it hears only a tuned local module.
inline constexpr uint8_t kFarChannel = 9, kFarRate = 1;
inline constexpr Address kFar{0xB2, 0x00, 0x01};

inline Bytes Frame(const Address& to, uint8_t op, uint8_t reg, const Bytes& data = {}) {
    Bytes f{0x5A, 0x5F, 0xFA, to[0], to[1], to[2], op, reg};
    for (uint8_t b : data) f.push_back(b);
    return f;
}
inline Bytes SetChannel(uint8_t channel) { return Frame(kLocal, kWrite, 0x04, {channel}); }
inline Bytes SetRate(uint8_t rate) { return Frame(kLocal, kWrite, 0x07, {rate}); }

// The frames of an operation on a remote module: tuned to it, the exchanges, tuned back to the local module.
inline std::vector<Bytes> Tuned(std::vector<Bytes> exchanges, uint8_t channel = kFarChannel,
                                uint8_t rate = kFarRate) {
    std::vector<Bytes> all{SetChannel(channel), SetRate(rate)};
    all.insert(all.end(), exchanges.begin(), exchanges.end());
    all.push_back(SetChannel(kOwnChannel));
    all.push_back(SetRate(kOwnRate));
    return all;
}

inline sim::SnapUnit FarRemote() {
    return sim::MakeSnapUnit({0x00, 0x12, 0x4B, 0x00, 0x00, kFar[0], kFar[1], kFar[2]}, 0x5678, kFarChannel,
                             kFarRate, "far");
}

inline long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class SnapTest : public testsupport::SimPortTest<sim::SnapModel> {
protected:
    void SetUp() override { QVZB_SNAP_ClearSearchArr(); }

    // The local module with its record loaded in the library; the log starts empty.
    sim::SnapModel& startLoaded(std::deque<sim::SnapUnit> remotes = {}) {
        sim::SnapModel& m = start(sim::SnapModel::DefaultLocal(), std::move(remotes));
        EXPECT_EQ(QVZB_SNAP_LoadInfo(), 1);
        server().clearLog();
        return m;
    }
    // As startLoaded, with the far remote module as search-list entry 0.
    sim::SnapModel& startWithFarRemote() {
        sim::SnapModel& m = startLoaded({FarRemote()});
        EXPECT_EQ(QVZB_SNAP_SearchDev(kFarChannel, kFarRate), 1);
        EXPECT_EQ(QVZB_SNAP_GetSearchDevCount(), 1);
        server().clearLog();
        return m;
    }
    // Frames logged so far; waits briefly for the last one when n are expected.
    std::vector<Bytes> framesAfter(size_t n) {
        server().waitForFrames(n, std::chrono::milliseconds(500));
        return frames();
    }
};

// Runs body in a new process, where the library holds nothing loaded yet; passes when body adds no failure.
inline void InFreshLibrary(const std::function<void()>& body) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            body();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace snaptest
