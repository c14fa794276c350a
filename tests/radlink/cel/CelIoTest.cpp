// IO lines and analogue inputs of the local module and of remote modules.
#include "CelTestSupport.h"

using namespace celtest;
using sim::Fault;

namespace {

class CelIoTest : public CelTest {};

Bytes Io(std::initializer_list<uint8_t> bytes) { return Bytes(bytes); }

struct LineCase {
    uint8_t port;
    int bit;
    int expected;
};

TEST_F(CelIoTest, ReadingALineMasksThePortByte) {
    startCel();
    for (const LineCase& c : {LineCase{0x10, 4, 16}, LineCase{0xEF, 4, 0}, LineCase{0x80, 7, 128},
                              LineCase{0x01, 0, 1}, LineCase{0xFF, 8, 0}, LineCase{0xFF, 31, 0},
                              LineCase{0xFF, -1, 0}}) {
        withModel([&](CelModel& m) { m.local().ioPort = c.port; });
        server().clearLog();
        EXPECT_EQ(QVZB_CEL_GetIOvalueLocal(c.bit), c.expected) << "port " << int(c.port) << " bit " << c.bit;
        // The record is read again first; the IO frame goes to its address.
        EXPECT_EQ(frames(), (std::vector<Bytes>{kReadLocal, Io({0xDE, 0xDF, 0xEF, 0xD5, 0x00, 0x10})}));
    }
}

struct WriteCase {
    uint8_t port;
    int value;
    int bit;
    uint8_t written;
};

TEST_F(CelIoTest, WritingALineKeepsTheOtherLinesAsTheModuleReportedThem) {
    startCel();
    for (const WriteCase& c : {WriteCase{0x00, 1, 2, 0x04}, WriteCase{0xFF, 0, 2, 0xFB}, WriteCase{0x40, 1, 3, 0x48},
                               WriteCase{0x48, 2, 3, 0x40}, WriteCase{0x40, 1, 9, 0x40}}) {
        withModel([&](CelModel& m) { m.local().ioPort = c.port; });
        server().clearLog();
        EXPECT_EQ(QVZB_CEL_SetIOValueLocal(c.value, c.bit), 1);
        EXPECT_EQ(frames(), (std::vector<Bytes>{kReadLocal, Io({0xDE, 0xDF, 0xEF, 0xD5, 0x00, 0x10}),
                                                Io({0xDE, 0xDF, 0xEF, 0xD6, 0x00, 0x10, c.written})}));
        EXPECT_EQ(localModule().ioPort, c.written);
    }
}

TEST_F(CelIoTest, DirectionOfAllLinesAndAnalogueInputs) {
    startCel();
    withModel([](CelModel& m) { m.local().analog[3] = 0xC8; });

    EXPECT_EQ(QVZB_CEL_SetIODirAllLocal(1), 1);
    EXPECT_EQ(localModule().ioDirection, 0xFF);
    EXPECT_EQ(QVZB_CEL_SetIODirAllLocal(2), 1);
    EXPECT_EQ(localModule().ioDirection, 0x00);
    EXPECT_EQ(QVZB_CEL_GetADvalueLocal(3), 0xC8);
    EXPECT_EQ(frames(), (std::vector<Bytes>{kReadLocal, Io({0xDE, 0xDF, 0xEF, 0xD4, 0x00, 0x10, 0xFF}), kReadLocal,
                                            Io({0xDE, 0xDF, 0xEF, 0xD4, 0x00, 0x10, 0x00}), kReadLocal,
                                            Io({0xDE, 0xDF, 0xEF, 0xD7, 0x00, 0x10, 0x03})}));
}


class CelIoFaultTest : public CelTest, public ::testing::WithParamInterface<FaultCase> {};

// Faults on the IO frames only (lead byte DE): every function reports 0, and a write sends nothing after a bad read.
TEST_P(CelIoFaultTest, AWrongOrMissingAnswerGivesZero) {
    startCel();
    withModel([](CelModel& m) { m.local().ioPort = 0xFF; });
    const auto inject = [&] {
        sim::Fault f = GetParam().fault;
        server().injectFault(f.onlyWhen(0, 0xDE));
    };
    inject();
    EXPECT_EQ(QVZB_CEL_GetIOvalueLocal(0), 0);
    inject();
    EXPECT_EQ(QVZB_CEL_SetIODirAllLocal(1), 0);
    inject();
    EXPECT_EQ(QVZB_CEL_GetADvalueLocal(0), 0);
    inject();
    server().clearLog();
    EXPECT_EQ(QVZB_CEL_SetIOValueLocal(0, 0), 0);
    EXPECT_EQ(frames().size(), 2u);  // the load and the IO read
    EXPECT_EQ(localModule().ioPort, 0xFF);
    EXPECT_EQ(QVZB_GetLastError(), 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, CelIoFaultTest,
                         ::testing::Values(FaultCase{"NoAnswer", Fault::noAnswer()},
                                           FaultCase{"OneShort", Fault::truncate(1)},
                                           FaultCase{"OneLong", Fault::extend(1)}),
                         CaseName);

TEST_F(CelIoTest, AClosedPortGivesZeroAndTheLoadsCode) {
    startCel();
    QVZB_CloseCom();
    EXPECT_EQ(QVZB_CEL_GetIOvalueLocal(0), 0);
    EXPECT_EQ(QVZB_GetLastError(), 101);
    EXPECT_EQ(QVZB_CEL_SetIOValueLocal(1, 0), 0);
    EXPECT_EQ(QVZB_CEL_GetADvalueLocal(0), 0);
    EXPECT_EQ(QVZB_CEL_SetIODirAllLocal(1), 0);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelIoTest, RemoteIoReloadsTheRemoteRecordThenTalksToItsAddress) {
    startCel();
    loadLocal();
    const int index = addRemote(2);  // channel 18, rate 2, address 0x0103
    withModel([](CelModel& m) {
        m.remote(2).ioPort = 0x20;
        m.remote(2).analog[1] = 77;
    });
    const auto remoteRound = [&](Bytes middle) {
        std::vector<Bytes> all = tuneToRemote(2);
        all.push_back(std::move(middle));
        Append(all, tuneBack());
        return all;
    };
    std::vector<Bytes> load = remoteRound(Addressed(0xD5, 0x0103));

    EXPECT_EQ(QVZB_CEL_GetIOvalueRemote(5, index), 0x20);
    std::vector<Bytes> expected = load;
    Append(expected, remoteRound(Io({0xDE, 0xDF, 0xEF, 0xD5, 0x01, 0x03})));
    EXPECT_EQ(frames(), expected);

    server().clearLog();
    EXPECT_EQ(QVZB_CEL_SetIOValueRemote(1, 0, index), 1);
    EXPECT_EQ(remoteModule(2).ioPort, 0x21);
    EXPECT_EQ(QVZB_CEL_SetIODirAllRemote(1, index), 1);
    EXPECT_EQ(remoteModule(2).ioDirection, 0xFF);
    EXPECT_EQ(QVZB_CEL_GetADvalueRemote(1, index), 77);
    EXPECT_EQ(localModule().ioPort, 0);  // nothing reached the local module's lines
    EXPECT_EQ(frames().size(), 3 * 10u + 1);  // three reloads and exchanges, the line write adds one frame
}

}  // namespace
