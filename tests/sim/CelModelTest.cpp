// The simulated CEL module's own behaviour: scenario options, where requests end, and the VNET terminal
// parameters with their protection handshake (raw frames, as the program's terminal page sends them).
#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "cel/CelModel.h"
#include "cel/CelScenario.h"
#include "radlink.h"
#include "support/SimPort.h"

using sim::Bytes;
using sim::CelModel;
using sim::CelModelOptions;

namespace {

Bytes WithSum(Bytes b) {
    b.push_back(static_cast<uint8_t>(std::accumulate(b.begin(), b.end(), 0u)));
    return b;
}

uint16_t ControlWordFor(const std::string& line) {
    sim::ScenarioOptions o;
    o.productLine = line;
    auto model = sim::MakeCelModel(o);
    return static_cast<CelModel&>(*model).local().controlWord;
}

TEST(CelScenario, OptionsBuildTheModules) {
    EXPECT_EQ(ControlWordFor("quickmesh"), 1);
    EXPECT_EQ(ControlWordFor("vnet"), 2);
    EXPECT_EQ(ControlWordFor("7"), 7);
    EXPECT_EQ(ControlWordFor("0x10"), 16);
    EXPECT_THROW(ControlWordFor("bogus"), std::invalid_argument);
    EXPECT_THROW(ControlWordFor("70000"), std::invalid_argument);

    sim::ScenarioOptions o;
    o.recordLength = 81;
    try {
        sim::MakeCelModel(o);
        ADD_FAILURE() << "a record length of 81 was taken";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("85, 80, 79 or 74"), std::string::npos) << e.what();
    }

    o.recordLength = 74;
    o.remotes = 48;
    o.password = "secret";
    auto model = sim::MakeCelModel(o);
    auto& cel = static_cast<CelModel&>(*model);
    EXPECT_EQ(cel.local().recordLength(), 74u);
    EXPECT_EQ(cel.local().password(), "secret");
    ASSERT_EQ(cel.remoteCount(), 48u);
    std::set<std::pair<int, int>> places;
    std::set<int> addresses{cel.local().netAddress()};
    for (size_t i = 0; i < cel.remoteCount(); ++i) {
        const auto& r = cel.remote(i);
        EXPECT_GE(r.channel(), 11);
        EXPECT_LE(r.channel(), 26);
        EXPECT_LE(r.airRate(), 2);
        EXPECT_EQ(r.recordLength(), 74u);
        places.insert({r.channel(), r.airRate()});
        addresses.insert(r.netAddress());
    }
    EXPECT_EQ(places.size(), 48u);
    EXPECT_EQ(addresses.size(), 49u);
    EXPECT_NE(std::string(sim::CelScenarioHelp()).find("--record"), std::string::npos);
}

TEST(CelModelFrames, RequestLengthsAreToldFromTheHeader) {
    CelModel model;  // local module at 0x0010 with an 85-byte record
    struct Case {
        const char* name;
        Bytes pending;
        size_t length;
    };
    const size_t unknown = sim::ModuleModel::kUnknownLength;
    const Bytes upgradeBegin = WithSum({0xAB, 0xBC, 0xCD, 0xDB, 0x00, 0x10, 0x00, 0x01});
    const Bytes sleepRead = WithSum({0xAB, 0xBC, 0xCD, 0xDB, 0x00, 0x00, 0x00});
    Bytes sleepReadAndMore = sleepRead;
    sleepReadAndMore.push_back(0xAB);
    const Case cases[] = {
        {"read local", {0xAB, 0xBC, 0xCD, 0xD1, 0x05}, 5},
        {"set channel", {0xAB, 0xBC, 0xCD, 0xD2}, 6},
        {"search", {0xAB, 0xBC, 0xCD, 0xD4}, 5},
        {"read config", {0xAB, 0xBC, 0xCD, 0xD5}, 7},
        {"write config to the local module", {0xAB, 0xBC, 0xCD, 0xD6, 0x00, 0x10}, 83},
        {"write config to nobody", {0xAB, 0xBC, 0xCD, 0xD6, 0x77, 0x77}, unknown},
        {"write config, address not yet in", {0xAB, 0xBC, 0xCD, 0xD6, 0x00}, 0},
        {"upgrade block", {0xAB, 0xBC, 0xCD, 0xD7}, 73},
        {"restart", {0xAB, 0xBC, 0xCD, 0xD9}, 9},
        {"upgrade begin", upgradeBegin, 9},
        {"sleep-time read alone: the gap ends it", sleepRead, 0},
        {"sleep-time read followed by more", sleepReadAndMore, 8},
        {"online-time parameter", {0xAB, 0xBC, 0xCD, 0xDC}, 8},
        {"security", {0xAB, 0xBC, 0xCD, 0xDE}, 7},
        {"password", {0xAB, 0xBC, 0xCD, 0xDF}, 21},
        {"io read", {0xDE, 0xDF, 0xEF, 0xD5}, 6},
        {"ad read", {0xDE, 0xDF, 0xEF, 0xD7}, 7},
        {"lead so far", {0xAB, 0xBC}, 0},
        {"unknown command", {0xAB, 0xBC, 0xCD, 0x42}, unknown},
        {"unknown lead", {0x12, 0x34}, unknown},
    };
    for (const Case& c : cases) EXPECT_EQ(model.frameLength(c.pending), c.length) << c.name;
}

class CelTerminalTest : public testsupport::SimPortTest<CelModel> {
protected:
    // One raw exchange as the terminal page makes it: write, then read the reply's fixed length.
    Bytes exchange(const Bytes& request, int replyLength) {
        unsigned n = 0;
        EXPECT_EQ(QVZB_ORLNET_Write(request.data(), static_cast<int>(request.size()), &n, 1100), 1);
        Bytes reply(static_cast<size_t>(replyLength));
        EXPECT_EQ(QVZB_ORLNET_Read(reply.data(), replyLength, &n, 1100), 1);
        reply.resize(n);
        return reply;
    }
    Bytes query() { return exchange(WithSum({0xAB, 0xBC, 0xCD, 0xDE, 0x00, 0x01}), 6); }
    Bytes password(const std::string& text) {
        Bytes f{0xAB, 0xBC, 0xCD, 0xDF};
        for (size_t i = 0; i < 16; ++i) f.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
        return exchange(WithSum(f), 5);
    }
    Bytes parameter(uint8_t code, uint8_t op, uint16_t value = 0) {
        return exchange(WithSum({0xAB, 0xBC, 0xCD, code, op, static_cast<uint8_t>(value >> 8),
                                 static_cast<uint8_t>(value)}),
                        7);
    }
};

TEST_F(CelTerminalTest, AProtectedModuleAnswersParametersOnlyAfterThePassword) {
    start(CelModelOptions{.controlWord = 2});  // VNET: protected
    EXPECT_EQ(query(), (Bytes{0xAB, 0xBC, 0xCD, 0xDE, 0x01, 0x00}));
    EXPECT_TRUE(parameter(0xDB, 0).empty());
    EXPECT_EQ(password("wrong"), (Bytes{0xAB, 0xBC, 0xCD, 0xDF, 0x01}));
    EXPECT_TRUE(parameter(0xDB, 0).empty());
    EXPECT_EQ(password("123456"), (Bytes{0xAB, 0xBC, 0xCD, 0xDF, 0x00}));

    const Bytes sleep = parameter(0xDB, 0);
    ASSERT_EQ(sleep.size(), 7u);
    EXPECT_EQ(sleep[4] << 8 | sleep[5], 400);
    EXPECT_EQ(server().frameBytes().back(), (Bytes{0xAB, 0xBC, 0xCD, 0xDB, 0x00, 0x00, 0x00, 0x0F}));
    const Bytes online = parameter(0xDC, 1, 65535);
    ASSERT_EQ(online.size(), 7u);
    EXPECT_EQ(online[4] << 8 | online[5], 65535);
    EXPECT_EQ(withModel([](CelModel& m) { return m.terminal.at(0xDC); }), 65535);

    // Every command starts with the query, which locks the parameters again.
    EXPECT_EQ(query()[4], 1);
    EXPECT_TRUE(parameter(0xDD, 0).empty());
    EXPECT_EQ(withModel([](CelModel& m) { return m.passwordFrames; }), 2);
}

TEST_F(CelTerminalTest, AnUnprotectedModuleAnswersAtOnceAndProtectionCanBeSwitched) {
    start(CelModelOptions{.controlWord = 1});
    EXPECT_EQ(query()[4], 0);
    EXPECT_EQ(parameter(0xDD, 0), WithSum({0xAB, 0xBC, 0xCD, 0xDD, 0x00, 20}));

    EXPECT_EQ(exchange(WithSum({0xAB, 0xBC, 0xCD, 0xDE, 0x01, 0x01}), 6), (Bytes{0xAB, 0xBC, 0xCD, 0xDE, 1, 0}));
    EXPECT_TRUE(parameter(0xDD, 0).empty());
    // Switching it off again needs the password first.
    EXPECT_EQ(exchange(WithSum({0xAB, 0xBC, 0xCD, 0xDE, 0x01, 0x00}), 6)[5], 1);
    EXPECT_EQ(password("123456")[4], 0);
    EXPECT_EQ(exchange(WithSum({0xAB, 0xBC, 0xCD, 0xDE, 0x01, 0x00}), 6), (Bytes{0xAB, 0xBC, 0xCD, 0xDE, 0, 0}));
    EXPECT_EQ(withModel([](CelModel& m) { return m.protection; }), false);
}

}  // namespace
