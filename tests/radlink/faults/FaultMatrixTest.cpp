// Every exported function that exchanges frames with a module, under every fault the simulator can put on the
// module's answer to it: the function gives its documented failure result and error code, the records and the
// search list are unchanged, and the local module is tuned back. One row per function; the faults are the columns.
// A row names the faults its reply rule does not see (it checks no command byte, no status, or takes any length):
// there the call succeeds, as documented.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <thread>

#include "FaultFixture.h"

namespace {

using namespace std::chrono_literals;
using namespace faulttest;
using sim::Bytes;
using sim::Fault;

// Later than every read a function makes for one answer (at most four reads of 60 ms after a 100 ms pause).
constexpr auto kLate = std::chrono::milliseconds(800);

enum FaultId { Silence, Short, Long, WrongCommand, WrongStatus, Split, StrayBefore, StrayAfter, Late, kFaultCount };
const char* const kFaultNames[] = {"silence", "short", "long",        "wrong command", "wrong status",
                                   "split",   "stray before", "stray after", "late"};


constexpr int kNoByte = -1000;  // the answer carries no such byte: the fault does not apply
constexpr int kLast = -1;       // byte positions below 0 count from the end: -1 is the last byte
constexpr int kCodeKept = -1;   // the function leaves the error code as it was

struct Row {
    const char* name;
    Family family;
    std::function<int()> call;
    size_t matchAt;  // the function's own request: byte matchAt is matchValue (tuning frames are left alone)
    uint8_t matchValue;
    int commandAt = 3;        // where the answer repeats the command
    int statusAt = kNoByte;   // where the answer's status byte is
    int code = 0;             // the error code after the failure, or kCodeKept
    std::set<FaultId> passes = {};           // faults the reply rule does not see: the call succeeds
    std::map<FaultId, int> results = {};     // documented results other than 0 under a fault
};
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

Fault Make(FaultId id, const Row& row) {
    auto at = [](int position, uint8_t value) {
        return position < 0 ? Fault::setByteFromEnd(static_cast<size_t>(-position), value)
                            : Fault::setByte(static_cast<size_t>(position), value);
    };
    switch (id) {
        case Silence: return Fault::noAnswer();
        case Short: return Fault::truncate(1);
        case Long: return Fault::extend(1, 0x00);
        case WrongCommand: return at(row.commandAt, 0x77);
        case WrongStatus: return at(row.statusAt, 0x7E);
        case Split: return Fault::split(3, 150ms);  // longer than the 100 ms pauses between request and read
        case StrayBefore: return Fault::lead(3, 0x55);
        case StrayAfter: return Fault::stray(3, 0ms, 0x55);
        case Late: return Fault::delay(kLate);
        default: return Fault::noAnswer();
    }
}

// What the library holds: the search list's keys and every readable property of the local record and of each
// loaded entry, as the get functions hand them out (no frame is sent).
std::string Holdings(Family family) {
    std::string out;
    auto put = [&](int result, const void* bytes, size_t n) {
        out += std::to_string(result) + ":" + std::string(static_cast<const char*>(bytes), n) + "|";
    };
    unsigned char buffer[64];
    auto clear = [&] { std::memset(buffer, 0, sizeof buffer); };
    switch (family) {
        case Family::Cel:
            for (int i = 0; i < QVZB_CEL_GetSearchDevCount(); ++i)
                for (int f = 1; f <= 6; ++f) clear(), put(QVZB_CEL_GetSearchDevProperty(i, f, buffer, 64), buffer, 2);
            for (int p = 1; p <= 27; ++p) {
                clear(), put(QVZB_CEL_GetProperty(p, buffer, 64), buffer, 16);
                for (int i = 0; i < QVZB_CEL_GetSearchDevCount(); ++i)
                    clear(), put(QVZB_CEL_GetRemoteDevProperty(i, p, buffer, 64), buffer, 16);
            }
            break;
        case Family::Orlnet:
            for (int i = 0; i < QVZB_ORLNET_GetSearchDevCount(); ++i)
                for (int f = 1; f <= 6; ++f)
                    clear(), put(QVZB_ORLNET_GetSearchDevProperty(i, f, buffer, 64), buffer, 2);
            for (int p = 1; p <= 28; ++p) {
                clear(), put(QVZB_ORLNET_GetProperty(p, buffer, 64), buffer, 16);
                for (int i = 0; i < QVZB_ORLNET_GetSearchDevCount(); ++i)
                    clear(), put(QVZB_ORLNET_GetRemoteDevProperty(i, p, buffer, 64), buffer, 16);
            }
            break;
        case Family::Snap:
            for (int i = 0; i < QVZB_SNAP_GetSearchDevCount(); ++i)
                for (int f = 1; f <= 3; ++f) clear(), put(QVZB_SNAP_GetSearchDevProperty(i, f, buffer, 64), buffer, 8);
            for (int p = 1; p <= 21; ++p) {
                clear(), put(QVZB_SNAP_GetProperty(p, buffer, 64), buffer, 8);
                for (int i = 0; i < QVZB_SNAP_GetSearchDevCount(); ++i)
                    clear(), put(QVZB_SNAP_GetRemoteDevProperty(i, p, buffer, 64), buffer, 8);
            }
            break;
    }
    return out;
}

// The local module's radio is on its own channel and rate again.
void ExpectTunedBack(Family family, sim::SimServer& server) {
    switch (family) {
        case Family::Cel:
            server.withModel<sim::CelModel>([](sim::CelModel& m) {
                EXPECT_EQ(m.tunedChannel(), m.local().channel());
                EXPECT_EQ(m.tunedRate(), m.local().airRate());
            });
            break;
        case Family::Orlnet:
            server.withModel<sim::OrlnetModel>([](sim::OrlnetModel& m) {
                EXPECT_EQ(m.tunedChannel(), m.local().channel);
                EXPECT_EQ(m.tunedRate(), m.local().rate);
            });
            break;
        case Family::Snap:
            server.withModel<sim::SnapModel>([](sim::SnapModel& m) {
                EXPECT_EQ(m.local().channel(), sim::SnapModel::DefaultLocal().channel());
                EXPECT_EQ(m.local().rate(), sim::SnapModel::DefaultLocal().rate());
                return 0;
            });
            break;
    }
}

// Stores code 105 (an index outside the list), which functions that leave the code alone keep.
void StoreCode105(Family family) {
    unsigned char b[8];
    switch (family) {
        case Family::Cel: QVZB_CEL_GetSearchDevProperty(-1, 1, b, 8); break;
        case Family::Orlnet: QVZB_ORLNET_GetSearchDevProperty(-1, 1, b, 8); break;
        case Family::Snap: QVZB_SNAP_GetSearchDevProperty(-1, 1, b, 8); break;
    }
}

// Waits until the module has had no request for `quiet` (the late answers and the tuning back have gone out).
void Settle(sim::SimServer& server, std::chrono::milliseconds quiet) {
    for (size_t seen = server.frames().size();;) {
        std::this_thread::sleep_for(quiet);
        const size_t now = server.frames().size();
        if (now == seen) return;
        seen = now;
    }
}

class FaultMatrix : public ::testing::TestWithParam<Row> {
protected:
    void TearDown() override { QVZB_CloseCom(); }
};

TEST_P(FaultMatrix, FailsAsDocumentedAndChangesNothing) {
    const Row& row = GetParam();
    auto server = StartFamily(row.family);
    ASSERT_FALSE(::testing::Test::HasFailure()) << "set-up";
    for (int f = 0; f < kFaultCount; ++f) {
        const auto id = static_cast<FaultId>(f);
        if ((id == WrongCommand && row.commandAt == kNoByte) || (id == WrongStatus && row.statusAt == kNoByte))
            continue;
        SCOPED_TRACE(kFaultNames[f]);
        const std::string before = Holdings(row.family);
        server->injectFault(Make(id, row).onlyWhen(row.matchAt, row.matchValue).repeat(-1));
        StoreCode105(row.family);
        const auto start = std::chrono::steady_clock::now();
        const int result = row.call();
        const int code = QVZB_GetLastError();
        const auto took = std::chrono::steady_clock::now() - start;
        server->clearFaults();
        // The simulator answers one request at a time: let a held-back answer go out before the next request.
        Settle(*server, id == Late ? kLate + 100ms : id == Split ? 250ms : 40ms);

        if (!row.passes.count(id)) {
            const auto documented = row.results.find(id);
            EXPECT_EQ(result, documented == row.results.end() ? 0 : documented->second);
            EXPECT_EQ(code, row.code == kCodeKept ? 105 : row.code);
            EXPECT_EQ(Holdings(row.family), before);
            EXPECT_LT(took, 10s);
            ExpectTunedBack(row.family, *server);
        } else {
            EXPECT_NE(result, 0) << "the rule does not see this fault";
        }
        // The call did its work, or a factory reset went through whatever its answer: the next fault starts again
        // from the same state.
        if (row.passes.count(id) || std::string_view(row.name).find("ToDefault") != std::string_view::npos) {
            QVZB_CloseCom();
            server = StartFamily(row.family);
        }
    }

    // Without a fault the same call succeeds: the faults are what made it fail.
    EXPECT_NE(row.call(), 0) << "without a fault";
}

// ---- the rows

CelRecord g_cel;
OrlnetConfig g_orlnet;
OrlnetRoute g_route;
SnapRecord g_snap;
unsigned char g_buffer[64];
unsigned char g_length8;
char g_password[32];
const unsigned char kTwo[] = {1, 1}, kThree[] = {0x12, 0x34, 0x56}, kData[] = {1, 2, 3};
const std::string& Image() {
    static const std::string path = ImageFile("fault-matrix", 1);
    return path;
}

constexpr Family C = Family::Cel, O = Family::Orlnet, S = Family::Snap;
constexpr uint8_t kIoLead = 0xDE, kFar = 0xB2;

// CEL: answers carry their command at byte 3, checked in configuration replies and search answers; acknowledgements
// are judged by their length and final status byte. A remote configuration reply is taken at any length from 74
// bytes on; IO replies are judged by their length alone; a search reads 13 bytes at a time. The factory reset,
// restart-free upgrade and reset functions report no error codes.
const Row kCelRows[] = {
    {"CEL_LoadInfo", C, [] { return QVZB_CEL_LoadInfo(); }, 3, 0xD1},
    {"CEL_GetPropertyAll", C, [] { return QVZB_CEL_GetPropertyAll(&g_cel); }, 3, 0xD1},
    {"CEL_SubmitInfo", C, [] { return QVZB_CEL_SubmitInfo(); }, 3, 0xD6, 3, kLast, 0, {WrongCommand}},
    // The factory reset's 1000 ms pause before its read hides a gap or a late answer.
    {"CEL_ResetToDefault", C, [] { return QVZB_CEL_ResetToDefault(); }, 3, 0xDA, 3, kLast, kCodeKept,
     {WrongCommand, Split, Late}},
    {"CEL_SearchDev", C, [] { return QVZB_CEL_SearchDev(15, 1); }, 3, 0xD4, 3, kNoByte, 0, {Long, StrayAfter}},
    {"CEL_LoadRemoteDevInfo", C, [] { return QVZB_CEL_LoadRemoteDevInfo(0); }, 3, 0xD5, 3, kNoByte, 0,
     {Short, Long, WrongCommand, StrayAfter}},
    {"CEL_GetRemoteDevPropertyAll", C, [] { return QVZB_CEL_GetRemoteDevPropertyAll(&g_cel, 0); }, 3, 0xD5, 3,
     kNoByte, 0, {Short, Long, WrongCommand, StrayAfter}},
    {"CEL_SubmitRemoteDevInfo", C, [] { return QVZB_CEL_SubmitRemoteDevInfo(0); }, 3, 0xD6, 3, kLast, 0,
     {WrongCommand}},
    {"CEL_ResetRemoteToDefault", C, [] { return QVZB_CEL_ResetRemoteToDefault(0); }, 3, 0xDA, 3, kLast, 0,
     {WrongCommand, Split, Late}},
    {"CEL_SetIODirAllLocal", C, [] { return QVZB_CEL_SetIODirAllLocal(1); }, 0, kIoLead, kNoByte, kNoByte},
    {"CEL_SetIODirAllRemote", C, [] { return QVZB_CEL_SetIODirAllRemote(1, 0); }, 0, kIoLead, kNoByte, kNoByte},
    {"CEL_GetIOvalueLocal", C, [] { return QVZB_CEL_GetIOvalueLocal(1); }, 0, kIoLead, kNoByte, kNoByte},
    {"CEL_GetIOvalueRemote", C, [] { return QVZB_CEL_GetIOvalueRemote(1, 0); }, 0, kIoLead, kNoByte, kNoByte},
    {"CEL_SetIOValueLocal", C, [] { return QVZB_CEL_SetIOValueLocal(1, 2); }, 0, kIoLead, kNoByte, kNoByte},
    {"CEL_SetIOValueRemote", C, [] { return QVZB_CEL_SetIOValueRemote(1, 2, 0); }, 0, kIoLead, kNoByte, kNoByte},
    {"CEL_GetADvalueLocal", C, [] { return QVZB_CEL_GetADvalueLocal(1); }, 0, kIoLead, kNoByte, kNoByte},
    {"CEL_GetADvalueRemote", C, [] { return QVZB_CEL_GetADvalueRemote(1, 0); }, 0, kIoLead, kNoByte, kNoByte},
    {"CEL_UpdateWithFileNameLocal", C,
     [] { return QVZB_CEL_UpdateWithFileNameLocal(Image().c_str(), 0xAA, 0x0010, 1); }, 3, 0xDB, 3, kLast,
     kCodeKept, {WrongCommand}},
    {"CEL_UpdateWithFileNameRemote", C,
     [] { return QVZB_CEL_UpdateWithFileNameRemote(0, Image().c_str(), 0xAA, 0x0101, 1); }, 3, 0xDB, 3, kLast,
     kCodeKept, {WrongCommand}},
};

// ORLNET: the command table says per command which length, which zero status byte and which repeated request
// bytes make an answer; acknowledgements repeat no command. Searches read 13 bytes at a time.
const Row kOrlnetRows[] = {
    // The local record is read 88 bytes at most: what comes after is not seen.
    {"ORLNET_LoadInfo", O, [] { return QVZB_ORLNET_LoadInfo(); }, 3, 0xD1, 3, kNoByte, 0, {Long, StrayAfter}},
    {"ORLNET_GetPropertyAll", O, [] { return QVZB_ORLNET_GetPropertyAll(&g_orlnet); }, 3, 0xD1, 3, kNoByte, 0,
     {Long, StrayAfter}},
    {"ORLNET_SubmitInfo", O, [] { return QVZB_ORLNET_SubmitInfo(); }, 3, 0xD6, 3, kLast, 0, {WrongCommand}},
    {"ORLNET_SetlocalChannel", O, [] { return QVZB_ORLNET_SetlocalChannel(15); }, 3, 0xD2, 3, kLast, 0,
     {WrongCommand}},
    {"ORLNET_SetlocalRate", O, [] { return QVZB_ORLNET_SetlocalRate(0); }, 3, 0xD3, 3, kLast, 0, {WrongCommand}},
    {"ORLNET_ResetToDefault", O, [] { return QVZB_ORLNET_ResetToDefault(); }, 3, 0xDA, 3, kLast, kCodeKept,
     {WrongCommand}},
    {"ORLNET_LoadRemoteDevInfo", O, [] { return QVZB_ORLNET_LoadRemoteDevInfo(0); }, 3, 0xD5, 3, kNoByte, 0,
     {WrongCommand}},
    {"ORLNET_LoadRemoteRouteDevInfo", O, [] { return QVZB_ORLNET_LoadRemoteRouteDevInfo(&g_orlnet, 0, 30, 20); }, 3,
     0xD5, 3, kNoByte, 0, {WrongCommand}},
    {"ORLNET_LoadRemoteDevInfoAll", O, [] { return QVZB_ORLNET_LoadRemoteDevInfoAll(0); }, 3, 0xD5, 3, kNoByte, 0,
     {WrongCommand}},
    {"ORLNET_GetRemoteDevPropertyAll", O, [] { return QVZB_ORLNET_GetRemoteDevPropertyAll(&g_orlnet, 0); }, 3, 0xD5,
     3, kNoByte, 0, {WrongCommand}},
    {"ORLNET_SubmitRemoteDevInfo", O, [] { return QVZB_ORLNET_SubmitRemoteDevInfo(0); }, 3, 0xD6, 3, kLast, 0,
     {WrongCommand}},
    {"ORLNET_SubmitRemoteRouteDevInfo", O, [] { return QVZB_ORLNET_SubmitRemoteRouteDevInfo(0, 30, 20); }, 3, 0xD6,
     3, kLast, 0, {WrongCommand}},
    {"ORLNET_SubmitRemoteDevInfoAll", O, [] { return QVZB_ORLNET_SubmitRemoteDevInfoAll(0); }, 3, 0xD6, 3, kLast, 0,
     {WrongCommand}},
    {"ORLNET_ResetRemoteToDefault", O, [] { return QVZB_ORLNET_ResetRemoteToDefault(0); }, 3, 0xDA, 3, kLast, 0,
     {WrongCommand}},
    {"ORLNET_SearchDev", O, [] { return QVZB_ORLNET_SearchDev(15, 0); }, 3, 0xD4, 3, kNoByte, 0, {Long, StrayAfter}},
    {"ORLNET_SearchDevWithID", O, [] { return QVZB_ORLNET_SearchDevWithID(15, 0, 0x2003); }, 3, 0xDC, 3, kNoByte, 0,
     {Long, StrayAfter}},
    // A route answer's byte 2 is its command or, in its place, the module's status code, which is the result.
    {"ORLNET_DetectRoute", O, [] { return QVZB_ORLNET_DetectRoute(0x2001, 0, &g_route); }, 2, 0xD2, 2, kNoByte, 0,
     {Short, Long, StrayAfter}, {{WrongCommand, 0x77}, {StrayBefore, 0x55}}},
    {"ORLNET_TestLEDLocal", O, [] { return QVZB_ORLNET_TestLEDLocal(5); }, 3, 0xDD, 3, kLast, kCodeKept,
     {WrongCommand}},
    {"ORLNET_TestLEDRemote", O, [] { return QVZB_ORLNET_TestLEDRemote(5, 0, 0x2001); }, 3, 0xDD, 3, kLast, kCodeKept,
     {WrongCommand}},
    // Delivery is byte 2 of an answer of any length, read 4 bytes at a time.
    {"ORLNET_SendData", O,
     [] { return QVZB_ORLNET_SendData(0x2001, kData, 3, g_buffer, 64, &g_length8); }, 2, 0xD1, kNoByte, 2, 0,
     {Short, Long, Split, StrayAfter}},
    {"ORLNET_UpdateWithFileNameLocal", O,
     [] { return QVZB_ORLNET_UpdateWithFileNameLocal(Image().c_str(), 0xAA, 0x2000, 0x0C10); }, 3, 0xDB, 3, kLast,
     kCodeKept, {WrongCommand}},
};

// SNAP: the register tables say per register and side which length, echo and status byte make a reply; most
// remote replies are taken at any length past their minimum without echo or status. Searches read 3 and 17 bytes
// and skip what is not a lead; a search runs (result 1) whatever it hears, and its list must stay unchanged.
const Row kSnapRows[] = {
    {"SNAP_LoadInfo", S, [] { return QVZB_SNAP_LoadInfo(); }, 7, 0x00, 7, 8},
    {"SNAP_GetPropertyAll", S, [] { return QVZB_SNAP_GetPropertyAll(&g_snap); }, 7, 0x00, 7, 8},
    {"SNAP_SubmitInfo", S, [] { return QVZB_SNAP_SubmitInfo(); }, 7, 0x00, 7, kLast, 0, {WrongCommand}},
    {"SNAP_SearchDev", S, [] { return QVZB_SNAP_SearchDev(3, 1); }, 3, 0xFF, 7, 8, 0,
     {Long, WrongCommand, WrongStatus, StrayBefore, StrayAfter},
     {{Silence, 1}, {Short, 1}, {Split, 1}, {Late, 1}}},
    {"SNAP_LoadRemoteDevInfo", S, [] { return QVZB_SNAP_LoadRemoteDevInfo(0); }, 3, kFar, 7, 8, 0, {WrongCommand}},
    {"SNAP_GetRemoteDevPropertyAll", S, [] { return QVZB_SNAP_GetRemoteDevPropertyAll(&g_snap, 0); }, 3, kFar, 7, 8,
     0, {WrongCommand}},
    {"SNAP_SubmitRemoteDevInfo", S, [] { return QVZB_SNAP_SubmitRemoteDevInfo(0); }, 3, kFar, 7, kLast, 0,
     {WrongCommand}},
    {"SNAP_ResetToDefault", S, [] { return QVZB_SNAP_ResetToDefault(); }, 7, 0xC3, 7, kLast, kCodeKept,
     {WrongCommand}},
    {"SNAP_ResetRemoteToDefault", S, [] { return QVZB_SNAP_ResetRemoteToDefault(0); }, 3, kFar, 7, kLast, 0,
     {WrongCommand}},
    {"SNAP_GetLocalSignalPower", S, [] { return QVZB_SNAP_GetLocalSignalPower(); }, 7, 0x04, 7, 8, kCodeKept,
     {WrongCommand}},
    {"SNAP_GetLocalIOvalue", S, [] { return QVZB_SNAP_GetLocalIOvalue(0); }, 7, 0x06, 7, 9, kCodeKept,
     {WrongCommand}},
    {"SNAP_SetLocalIOvalue", S, [] { return QVZB_SNAP_SetLocalIOvalue(kTwo); }, 7, 0x06, 7, kLast, kCodeKept,
     {WrongCommand}},
    {"SNAP_SetLocalNetID", S, [] { return QVZB_SNAP_SetLocalNetID(kTwo); }, 7, 0x01, 7, kLast, kCodeKept,
     {WrongCommand}},
    {"SNAP_SetLocalEEPROM", S, [] { return QVZB_SNAP_SetLocalEEPROM(0x10, kThree, 3); }, 7, 0xC2, 7, kLast,
     kCodeKept, {WrongCommand}},
    {"SNAP_GetLocalPwd", S, [] { return QVZB_SNAP_GetLocalPwd(g_password); }, 7, 0xC4, 7, 8, kCodeKept,
     {Short, Long, StrayAfter}},
    {"SNAP_GetRemoteSignalPower", S, [] { return QVZB_SNAP_GetRemoteSignalPower(0); }, 3, kFar, 7, 8, kCodeKept,
     {WrongCommand}},
    {"SNAP_GetRemoteIOvalue", S, [] { return QVZB_SNAP_GetRemoteIOvalue(0, 0); }, 3, kFar, 7, 9, kCodeKept,
     {WrongCommand}},
    {"SNAP_SetRemoteIOvalue", S, [] { return QVZB_SNAP_SetRemoteIOvalue(0, kTwo); }, 3, kFar, 7, kLast, kCodeKept,
     {WrongCommand}},
};

std::string RowName(const ::testing::TestParamInfo<Row>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Cel, FaultMatrix, ::testing::ValuesIn(kCelRows), RowName);
INSTANTIATE_TEST_SUITE_P(Orlnet, FaultMatrix, ::testing::ValuesIn(kOrlnetRows), RowName);
INSTANTIATE_TEST_SUITE_P(Snap, FaultMatrix, ::testing::ValuesIn(kSnapRows), RowName);

}  // namespace
