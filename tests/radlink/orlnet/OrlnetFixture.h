// Test support for the family's exported functions: the simulated network on a pty, expected frames written out
// byte by byte, and the frames the module received.
// The records' 16-bit fields are packed: assertions read them by value (+record.field), since gtest would bind a
// reference to an unaligned field.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "orlnet/OrlnetModel.h"
#include "radlink.h"
#include "support/SimPort.h"

namespace orlnettest {

using sim::Bytes;
namespace field = sim::orlnet_field;

// The scenario's modules: the local one and the remotes 0x2001 (direct, 15/250k), 0x2002 (direct, 20/500k) and
// 0x2003 (route only, 15/250k).
inline constexpr uint8_t kLocalChannel = 15, kLocalRate = 0;
inline constexpr uint16_t kLocalAddress = 0x2000, kLocalWord = 0x0C10;

// `bytes` followed by their sum.
inline Bytes Sum(Bytes bytes) {
    bytes.push_back(std::accumulate(bytes.begin(), bytes.end(), uint8_t{0},
                                    [](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + b); }));
    return bytes;
}
inline uint8_t Hi(uint16_t v) { return static_cast<uint8_t>(v >> 8); }
inline uint8_t Lo(uint16_t v) { return static_cast<uint8_t>(v); }

// A configuration frame: lead byte (0xAB or 0xAC), command, target address, payload, sum.
inline Bytes Cfg(uint8_t lead, uint8_t command, uint16_t address, Bytes payload = {}) {
    Bytes f{lead, 0xBC, 0xCD, command, Hi(address), Lo(address)};
    f.insert(f.end(), payload.begin(), payload.end());
    return Sum(f);
}
inline Bytes Restart(uint8_t lead, uint16_t address, uint16_t word) {
    return Cfg(lead, 0xD9, address, {Hi(word), Lo(word)});
}
// The two frames that move the local module to a channel and rate.
inline std::vector<Bytes> Tune(uint8_t channel, uint8_t rate) {
    return {Sum({0xAB, 0xBC, 0xCD, 0xD2, channel}), Sum({0xAB, 0xBC, 0xCD, 0xD3, rate})};
}
inline std::vector<Bytes> TuneBack() { return Tune(kLocalChannel, kLocalRate); }

// Frames written out in hexadecimal, one string each, for readable comparisons.
inline std::vector<std::string> Hex(const std::vector<Bytes>& frames) {
    std::vector<std::string> out;
    for (const Bytes& f : frames) {
        std::string s;
        char b[4];
        for (uint8_t x : f) {
            std::snprintf(b, sizeof b, "%02X ", x);
            s += b;
        }
        if (!s.empty()) s.pop_back();
        out.push_back(s);
    }
    return out;
}
inline std::vector<Bytes> Concat(std::initializer_list<std::vector<Bytes>> parts) {
    std::vector<Bytes> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Search-key field `field` of entry `index`.
inline unsigned KeyField(int index, int field) {
    uint16_t value = 0;
    EXPECT_EQ(QVZB_ORLNET_GetSearchDevProperty(index, field, &value, 2), 1) << index << "/" << field;
    return value;
}

// Stores error 105 (a search-list index out of range), to show that a later call leaves the code alone.
inline void StoreError105() {
    uint8_t value[2];
    QVZB_ORLNET_GetSearchDevProperty(-1, 1, value, 2);
    ASSERT_EQ(QVZB_GetLastError(), 105);
}

class OrlnetTest : public testsupport::SimPortTest<sim::OrlnetModel> {
protected:
    void SetUp() override {
        QVZB_ORLNET_ClearSearchArr();
        start();
    }
    // The local record, which tuning back relies on; the log starts empty after it.
    void loadLocal() {
        ASSERT_EQ(QVZB_ORLNET_LoadInfo(), 1);
        server().clearLog();
    }
    // Finds remote 0x2002 (index 0) on its own channel, and 0x2003 over a route (index 1).
    void findRemotes() {
        loadLocal();
        ASSERT_EQ(QVZB_ORLNET_SearchDev(20, 1), 1);
        ASSERT_EQ(QVZB_ORLNET_SearchDevWithID(kLocalChannel, kLocalRate, 0x2003), 1);
        ASSERT_EQ(QVZB_ORLNET_GetSearchDevCount(), 2);
        server().clearLog();
    }
    std::vector<std::string> sent() { return Hex(frames()); }
    // A copy of the module at `address`, and a change to it.
    sim::OrlnetModule module(uint16_t address) {
        return withModel([&](sim::OrlnetModel& m) { return *m.find(address); });
    }
    template <typename F>
    void changeModule(uint16_t address, F&& f) {
        withModel([&](sim::OrlnetModel& m) { f(*m.find(address)); });
    }
};

}  // namespace orlnettest
