// The library's CEL functions against a simulated CEL module on a pty.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <numeric>
#include <string>
#include <vector>

#include "cel/CelModel.h"
#include "radlink.h"
#include "support/SimPort.h"

namespace celtest {

using sim::Bytes;
using sim::CelModel;
using sim::CelModelOptions;
using sim::CelModule;
namespace field = sim::celfield;

// A configuration frame: the bytes given, then their sum.
inline Bytes WithSum(std::initializer_list<uint8_t> bytes) {
    Bytes b(bytes);
    b.push_back(static_cast<uint8_t>(std::accumulate(b.begin(), b.end(), 0u)));
    return b;
}
inline Bytes SetChannelFrame(uint8_t ch) { return WithSum({0xAB, 0xBC, 0xCD, 0xD2, ch}); }
inline Bytes SetRateFrame(uint8_t rate) { return WithSum({0xAB, 0xBC, 0xCD, 0xD3, rate}); }
inline const Bytes kReadLocal{0xAB, 0xBC, 0xCD, 0xD1, 0x05};
inline Bytes Addressed(uint8_t command, uint16_t address, std::initializer_list<uint8_t> params = {}) {
    Bytes b;
    b.reserve(6 + params.size() + 1);
    b.insert(b.end(), {0xAB, 0xBC, 0xCD, command, static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address)});
    b.insert(b.end(), params);
    b.push_back(static_cast<uint8_t>(std::accumulate(b.begin(), b.end(), 0u)));
    return b;
}
inline Bytes Control(uint8_t command, uint16_t address, uint16_t word) {
    return Addressed(command, address, {static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)});
}
inline Bytes Restart(uint16_t address, uint16_t word) { return Control(0xD9, address, word); }

// Appends `more` to `frames`.
inline void Append(std::vector<Bytes>& frames, std::vector<Bytes> more) {
    frames.insert(frames.end(), more.begin(), more.end());
}
inline std::vector<Bytes> Tune(uint8_t channel, uint8_t rate) { return {SetChannelFrame(channel), SetRateFrame(rate)}; }

// A fault put on the module's answers, and the result the call must give under it.
struct FaultCase {
    const char* name;
    sim::Fault fault;
    int result = 0;
};
inline void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

// Names parameterised cases by their `name` member.
inline constexpr auto CaseName = [](const auto& p) { return std::string(p.param.name); };

inline std::string Text16(const char* field) { return std::string(field, strnlen(field, 16)); }

class CelTest : public testsupport::SimPortTest<CelModel> {
protected:
    void SetUp() override { QVZB_CEL_ClearSearchArr(); }

    CelModel& startCel(const CelModelOptions& options = {}) { return start(options); }

    // Loads the local record; the frame log starts empty after it.
    CelRecord loadLocal() {
        CelRecord r{};
        EXPECT_EQ(QVZB_CEL_GetPropertyAll(&r), 1);
        server().clearLog();
        return r;
    }
    // Hand-adds remote module i as the search would list it; returns its index.
    int addRemote(size_t i) {
        const CelModule m = withModel([i](CelModel& model) { return model.remote(i); });
        QVZB_CEL_HandAddDev(m.controlWord, m.channel(), m.airRate(), m.panId(), m.netAddress(), m.deviceType());
        return QVZB_CEL_GetSearchDevCount() - 1;
    }
    CelModule localModule() { return withModel([](CelModel& m) { return m.local(); }); }
    CelModule remoteModule(size_t i) { return withModel([i](CelModel& m) { return m.remote(i); }); }
    // The tuning to remote module i and back to the local module (channel 15, rate 0 by default).
    std::vector<Bytes> tuneToRemote(size_t i) {
        const CelModule m = remoteModule(i);
        return Tune(m.channel(), m.airRate());
    }
    std::vector<Bytes> tuneBack() {
        const CelModule m = localModule();
        return Tune(m.channel(), m.airRate());
    }
};

}  // namespace celtest
