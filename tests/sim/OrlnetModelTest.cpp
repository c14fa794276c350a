// The simulated ORLNET network: where requests end, and the scenario radlink-sim serves.
#include <gtest/gtest.h>

#include <numeric>

#include "core/Scenario.h"
#include "orlnet/OrlnetModel.h"

namespace {

using sim::Bytes;
constexpr size_t kUnknown = sim::ModuleModel::kUnknownLength;

Bytes Sum(Bytes bytes) {
    bytes.push_back(std::accumulate(bytes.begin(), bytes.end(), uint8_t{0},
                                    [](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + b); }));
    return bytes;
}

Bytes WholeWrite() {
    Bytes f{0xAB, 0xBC, 0xCD, 0xD6, 0x20, 0x01};
    for (int i = 0; i < 79; ++i) f.push_back(static_cast<uint8_t>(i));
    return Sum(f);
}

}  // namespace

TEST(OrlnetModel, TellsRequestLengthsFromTheHeader) {
    const sim::OrlnetModel model(0);
    const Bytes wholeRead = Sum({0xAB, 0xBC, 0xCD, 0xD5, 0x20, 0x01});
    const Bytes partRead = Sum({0xAC, 0xBC, 0xCD, 0xD5, 0x20, 0x01, 0x00, 0x26});
    const Bytes partWrite = Sum({0xAC, 0xBC, 0xCD, 0xD6, 0x20, 0x01, 0x38, 0x02, 0x01, 0x00});
    const struct {
        Bytes pending;
        size_t expected;
    } cases[] = {
        {{0xAB, 0xBC, 0xCD}, 0},
        {{0xAB, 0xBC, 0xCD, 0xD1}, 5},
        {{0xAC, 0xBC, 0xCD, 0xDC}, 7},
        {{0xAB, 0xBC, 0xCD, 0xD7}, 73},
        {{0xAB, 0x00, 0xCD, 0xD1}, kUnknown},
        {wholeRead, 0},  // could still be the start of a part read: the quiet gap ends it
        {partRead, 9},
        {WholeWrite(), 86},
        {partWrite, 0},  // shorter than a whole write: the quiet gap ends it
        {{0xA5}, 0},
        {{0xA5, 0x03, 0xD3}, 6},
        {{0x11, 0x22}, kUnknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(model.frameLength(c.pending), c.expected) << ::testing::PrintToString(c.pending);
}

TEST(OrlnetModel, TheOrlnetFamilyIsServedWithItsRemoteModules) {
    const sim::FamilyEntry* family = sim::FindFamily("orlnet");
    ASSERT_NE(family, nullptr);
    sim::ScenarioOptions options;
    options.remotes = 4;
    options.password = "secret";
    auto model = family->make(options);
    auto& network = dynamic_cast<sim::OrlnetModel&>(*model);
    ASSERT_EQ(network.remoteCount(), 4u);
    EXPECT_EQ(network.remote(0).address, 0x2001);
    EXPECT_EQ(network.remote(1).channel, 20);
    EXPECT_TRUE(network.remote(2).routeOnly);
    EXPECT_EQ(network.local().text(sim::orlnet_field::kPassword), "secret");

    // A plain search on the local channel is answered by the direct module there, not by the route-only one.
    const auto answers = network.handle(Sum({0xAB, 0xBC, 0xCD, 0xD4}));
    ASSERT_EQ(answers.size(), 2u);  // 0x2001 and 0x2004
    EXPECT_EQ(answers[0].bytes, (Bytes{0xAB, 0xBC, 0xCD, 0xD4, 0x0C, 0x20, 15, 0, 0x1A, 0x2B, 0x20, 0x01, 1}));
}
