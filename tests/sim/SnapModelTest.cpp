// The simulated SNAP modules: where requests end, and the scenario radlink-sim serves.
#include <gtest/gtest.h>

#include "core/Scenario.h"
#include "snap/SnapModel.h"

namespace {

using sim::Bytes;
constexpr size_t kUnknown = sim::ModuleModel::kUnknownLength;

Bytes Header(uint8_t a, uint8_t op, uint8_t reg) { return {0x5A, 0x5F, 0xFA, a, a, a, op, reg}; }

}  // namespace

TEST(SnapModel, TellsRequestLengthsFromTheHeaderWhereItCan) {
    const sim::SnapModel model;
    const struct {
        Bytes pending;
        size_t expected;
    } cases[] = {
        {{0x5A, 0x5F}, 0},                                   // lead so far
        {{0x5A, 0x00}, kUnknown},                            // not a request
        {Header(0, 0x55, 0x00), 8},                          // configuration read
        {Header(0, 0x55, 0x05), 9},                          // analogue read: input number
        {Header(0, 0xAA, 0x00), 46},                         // configuration write
        {Header(0, 0xAA, 0x01), 10},                         // NETID write
        {Header(0, 0xAA, 0x04), 0},                          // signal strength (8) or channel (9): the line tells
        {[] { Bytes b = Header(0, 0xAA, 0x04); b.push_back(3); return b; }(), 9},
        {Header(0, 0xAA, 0xC2), 0},                          // EEPROM write: any length
        {Header(0, 0xAA, 0xF0), 14},                         // upgrade switch with its key
        {Header(7, 0xAA, 0xF0), 9},                          // over the air: the value alone
        {Header(0, 0xAA, 0xC4), 17},                         // password write
        {Header(0, 0x55, 0x42), kUnknown},                   // no such register
    };
    for (const auto& c : cases) EXPECT_EQ(model.frameLength(c.pending), c.expected) << ::testing::PrintToString(c.pending);
}

TEST(SnapModel, TheSnapFamilyIsServedWithItsRemoteModules) {
    const sim::FamilyEntry* family = sim::FindFamily("snap");
    ASSERT_NE(family, nullptr);
    sim::ScenarioOptions options;
    options.family = "snap";
    options.remotes = 3;
    options.password = "0123456789AB";
    auto model = family->make(options);
    auto& snap = dynamic_cast<sim::SnapModel&>(*model);
    ASSERT_EQ(snap.remotes().size(), 3u);
    EXPECT_EQ(snap.local().password, "012345678");
    EXPECT_EQ(snap.remotes()[0].channel(), snap.local().channel());
    EXPECT_NE(snap.remotes()[1].channel(), snap.local().channel());

    // A search on the local module's channel is answered by the modules there, 20 bytes each.
    const Bytes search = Header(0xFF, 0x55, 0x00);
    const auto answers = snap.handle(search);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].bytes.size(), 20u);
    EXPECT_EQ(Bytes(answers[0].bytes.begin(), answers[0].bytes.begin() + 8), search);
    EXPECT_EQ(answers[0].bytes[8], 1);
    EXPECT_NE(model->describe().find("3 remote modules"), std::string::npos);
}
