// The port vanishing in the middle of each kind of operation, as when a USB bridge is unplugged: the simulator
// closes its side of the line when the operation's request arrives. The call fails within its time-outs, the port
// then reports itself closed, and close and open on a fresh port work again.
#include <chrono>
#include <functional>

#include "FaultFixture.h"

namespace {

using namespace std::chrono_literals;
using namespace faulttest;

struct Vanish {
    const char* name;
    Family family;
    std::function<int()> call;
    size_t matchAt;  // the request during which the line goes: byte matchAt is matchValue
    uint8_t matchValue;
    int result = 0;
};
void PrintTo(const Vanish& v, std::ostream* os) { *os << v.name; }

CelRecord g_cel;
OrlnetConfig g_orlnet;
OrlnetRoute g_route;
unsigned char g_buffer[64];
unsigned int g_count;
const std::string& Image() {
    static const std::string path = ImageFile("port-vanish", 4);
    return path;
}

class PortVanish : public ::testing::TestWithParam<Vanish> {
protected:
    void TearDown() override { QVZB_CloseCom(); }
};

TEST_P(PortVanish, FailsInTimeAndTheNextPortWorks) {
    const Vanish& v = GetParam();
    auto server = StartFamily(v.family);
    ASSERT_FALSE(HasFailure()) << "set-up";
    server->injectFault(sim::Fault::vanish().onlyWhen(v.matchAt, v.matchValue));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(v.call(), v.result);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_TRUE(server->waitForFrames(1, 0ms)) << "the line went during the call";
    EXPECT_EQ(QVZB_ComCheckOpen(), 0);
    EXPECT_EQ(v.call(), 0) << "a second call finds the port closed";

    EXPECT_EQ(QVZB_CloseCom(), 1);
    server.reset();
    auto fresh = StartFamily(v.family);  // opens the port on a new line and loads the local record through it
    EXPECT_EQ(QVZB_ComCheckOpen(), 1);
}

constexpr Family C = Family::Cel, O = Family::Orlnet, S = Family::Snap;

const Vanish kCases[] = {
    {"RawWriteAndRead", C,
     [] {
         const unsigned char request[] = {0xAB, 0xBC, 0xCD, 0xD1, 0x05};
         QVZB_ORLNET_Write(request, 5, &g_count, 0);
         return QVZB_ORLNET_Read(g_buffer, 64, &g_count, 0);
     },
     3, 0xD1},
    {"CEL_LocalRead", C, [] { return QVZB_CEL_GetPropertyAll(&g_cel); }, 3, 0xD1},
    {"CEL_LocalWrite", C, [] { return QVZB_CEL_SubmitInfo(); }, 3, 0xD6},
    {"CEL_Search", C, [] { return QVZB_CEL_SearchDev(15, 1); }, 3, 0xD4},
    {"CEL_RemoteRead", C, [] { return QVZB_CEL_LoadRemoteDevInfo(0); }, 3, 0xD5},
    {"CEL_RemoteIo", C, [] { return QVZB_CEL_SetIOValueRemote(1, 2, 0); }, 0, 0xDE},
    {"CEL_UpgradeBlock", C, [] { return QVZB_CEL_UpdateWithFileNameLocal(Image().c_str(), 0xFF, 0x0010, 1); }, 3,
     0xD7},
    {"ORLNET_Search", O, [] { return QVZB_ORLNET_SearchDev(15, 0); }, 3, 0xD4},
    {"ORLNET_RemotePartRead", O, [] { return QVZB_ORLNET_LoadRemoteRouteDevInfo(&g_orlnet, 0, 30, 20); }, 3, 0xD5},
    {"ORLNET_RemoteWrite", O, [] { return QVZB_ORLNET_SubmitRemoteDevInfo(0); }, 3, 0xD6},
    {"ORLNET_RouteDetection", O, [] { return QVZB_ORLNET_DetectRoute(0x2001, 0, &g_route); }, 2, 0xD2},
    {"ORLNET_UpgradeBlock", O,
     [] { return QVZB_ORLNET_UpdateWithFileNameLocal(Image().c_str(), 0x55, 0x2000, 0x0C10); }, 3, 0xD7},
    {"SNAP_LocalRegister", S, [] { return QVZB_SNAP_GetLocalNetID(g_buffer, 8); }, 7, 0x01},
    {"SNAP_RemoteLoad", S, [] { return QVZB_SNAP_LoadRemoteDevInfo(0); }, 3, 0xB2},
    {"SNAP_Search", S, [] { return QVZB_SNAP_SearchDev(3, 1); }, 3, 0xFF, 1},  // a search that ran reports 1
};

std::string CaseName(const ::testing::TestParamInfo<Vanish>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Operations, PortVanish, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
