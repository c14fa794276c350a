// The ORLNET panel against a simulated ORLNET network: local module 0x2000 on channel 15 at 250k, remote 0x2001
// (channel 15, direct), 0x2002 (channel 20 at 500k), 0x2003 (channel 15, reached only over a route).
#pragma once

#include <QTreeWidget>

#include "discovery/CPageListDevRemoteOrlnet.h"
#include "orlnet/OrlnetModel.h"
#include "shell/CPanViewOrlnet.h"
#include "support/FamilyPanelRig.h"

namespace orlnettest {

inline constexpr uint8_t kRead = 0xD1, kRemoteRead = 0xD5, kWrite = 0xD6, kRestart = 0xD9, kReset = 0xDA, kLed = 0xDD;

struct Rig : testsupport::FamilyPanelRig<CPanViewOrlnet, sim::OrlnetModel> {
    explicit Rig(int remotes = 3) : FamilyPanelRig(std::make_unique<sim::OrlnetModel>(remotes)) {}

    // Configuration frames with this command byte.
    std::vector<sim::Bytes> config(uint8_t command) const {
        return frames([command](const sim::Bytes& f) { return f.size() > 3 && f[1] == 0xBC && f[3] == command; });
    }
    // Network frames (A5 .. 5A) with this command byte.
    std::vector<sim::Bytes> network(uint8_t command) const {
        return frames([command](const sim::Bytes& f) { return f.size() > 2 && f[0] == 0xA5 && f[2] == command; });
    }

    // Finds 0x2001 directly and 0x2003 over a route (search list rows 0 and 1), shows them and selects `row` on
    // the remote tab.
    void findRemotes(int row) {
        WithLibrary([] {
            QVZB_ORLNET_SearchDev(15, 0);
            return QVZB_ORLNET_SearchDevWithID(15, 0, 0x2003);
        });
        panel->refreshRemoteList();
        panel->deviceTabs()->setCurrentIndex(CPanViewOrlnet::RemoteTab);
        QTreeWidget* list = panel->remoteOrlnetList()->list();
        list->setCurrentItem(list->topLevelItem(row));
        module->clearLog();
    }

    std::string remoteName(size_t i) { return withModel([i](sim::OrlnetModel& m) { return m.remote(i).text(0); }); }
    std::string localName() { return withModel([](sim::OrlnetModel& m) { return m.local().text(0); }); }
};

}  // namespace orlnettest
