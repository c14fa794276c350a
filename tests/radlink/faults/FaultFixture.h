// Test support for the failure tests: each family's simulated modules with the library's port on them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <fstream>
#include <memory>
#include <string>

#include "cel/CelModel.h"
#include "core/SimServer.h"
#include "orlnet/OrlnetModel.h"
#include "radlink.h"
#include "snap/SnapModel.h"
#include "support/SimPort.h"

namespace faulttest {

inline constexpr unsigned kReadTimeoutMs = 60;

enum class Family { Cel, Orlnet, Snap };


// An image of `blocks` blocks in its second region, in the test folder.
inline std::string ImageFile(const std::string& name, int blocks) {
    const std::string path = ::testing::TempDir() + name + "-image.bin";
    sim::Bytes file;
    for (int32_t word : {0, 0, 0x3000, 0x3000 + 64 * blocks, 0})
        for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<uint8_t>(word >> shift));
    file.resize(file.size() + 64 * static_cast<size_t>(blocks), 0x5A);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                static_cast<std::streamsize>(file.size()));
    return path;
}
inline const std::array<uint8_t, 8> kSnapFarMac{0x00, 0x12, 0x4B, 0x00, 0x00, 0xB2, 0x00, 0x01};
inline const std::array<uint8_t, 8> kSnapOtherMac{0x00, 0x12, 0x4B, 0x00, 0x00, 0xB3, 0x00, 0x02};

// The family's simulated modules on a pty with the library's port open on it, the local record loaded and one
// remote module listed and loaded (CEL: remote 0, hand-added; ORLNET: 0x2002 on channel 20; SNAP: the module on
// channel 9, with another on channel 3 not yet listed).
inline std::unique_ptr<sim::SimServer> StartFamily(Family family) {
    std::unique_ptr<sim::SimServer> server;
    switch (family) {
        case Family::Cel: {
            server = std::make_unique<sim::SimServer>(std::make_unique<sim::CelModel>());
            server->withModel<sim::CelModel>([](sim::CelModel& m) {
                m.local().ioPort = 0xFF, m.local().analog.fill(0x40);
                m.remote(0).ioPort = 0xFF, m.remote(0).analog.fill(0x40);
                return 0;
            });
            break;
        }
        case Family::Orlnet: server = std::make_unique<sim::SimServer>(std::make_unique<sim::OrlnetModel>()); break;
        case Family::Snap: {
            sim::SnapUnit local = sim::SnapModel::DefaultLocal();
            local.ioValue.fill(1);
            sim::SnapUnit far = sim::MakeSnapUnit(kSnapFarMac, 0x5678, 9, 1);
            far.ioValue.fill(1);
            std::deque<sim::SnapUnit> remotes{far, sim::MakeSnapUnit(kSnapOtherMac, 0x5679, 3, 1)};
            server = std::make_unique<sim::SimServer>(std::make_unique<sim::SnapModel>(local, remotes));
            break;
        }
    }
    EXPECT_TRUE(testsupport::OpenLibraryOn(*server, 115200, kReadTimeoutMs));
    switch (family) {
        case Family::Cel: {
            QVZB_CEL_ClearSearchArr();
            EXPECT_EQ(QVZB_CEL_LoadInfo(), 1);
            const sim::CelModule r = server->withModel<sim::CelModel>([](sim::CelModel& m) { return m.remote(0); });
            QVZB_CEL_HandAddDev(r.controlWord, r.channel(), r.airRate(), r.panId(), r.netAddress(), r.deviceType());
            EXPECT_EQ(QVZB_CEL_LoadRemoteDevInfo(0), 1);
            break;
        }
        case Family::Orlnet:
            QVZB_ORLNET_ClearSearchArr();
            EXPECT_EQ(QVZB_ORLNET_LoadInfo(), 1);
            EXPECT_EQ(QVZB_ORLNET_SearchDev(20, 1), 1);
            EXPECT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(0), 1);
            break;
        case Family::Snap:
            QVZB_SNAP_ClearSearchArr();
            EXPECT_EQ(QVZB_SNAP_LoadInfo(), 1);
            EXPECT_EQ(QVZB_SNAP_SearchDev(9, 1), 1);
            EXPECT_EQ(QVZB_SNAP_GetSearchDevCount(), 1);
            EXPECT_EQ(QVZB_SNAP_LoadRemoteDevInfo(0), 1);
            break;
    }
    return server;
}

}  // namespace faulttest
