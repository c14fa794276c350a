// A CEL panel against the real library and a simulated CEL module on its own pty: the port opened with a short
// read time-out, the scripted operator in place of dialogs, a settings file and a log folder of its own.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <string>

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include "cel/CelModel.h"
#include "discovery/CPageListDevRemoteCel.h"
#include "core/SimServer.h"
#include "radlink.h"
#include "shell/CPanViewCel.h"
#include "shell/LibraryLock.h"
#include "support/ScriptedOperator.h"
#include "support/WidgetLookup.h"

namespace testsupport {

struct CelPanelRig {
    // controlWord 1 Quickmesh, 2 VNET (its access protection on); the record length picks the record variant.
    explicit CelPanelRig(uint16_t controlWord = 1, size_t recordLength = 85, size_t remotes = 3) {
        sim::CelModelOptions options;
        options.controlWord = controlWord;
        options.recordLength = recordLength;
        options.remotes = remotes;
        module = std::make_unique<sim::SimServer>(std::make_unique<sim::CelModel>(options));
        context.op = &op;
        context.settingsPath = dir.filePath(QStringLiteral("Plexcon.ini"));
        context.logFolder = dir.path();
    }
    ~CelPanelRig() {
        panel.reset();
        WithLibrary([] {
            QVZB_CEL_ClearSearchArr();
            return QVZB_CloseCom();
        });
    }

    // Builds the panel (CPanViewCel, CPanViewCel_Change or CPanViewCelLowPower) and shows it.
    template <typename Panel>
    Panel* make() {
        auto p = std::make_unique<Panel>(context);
        Panel* raw = p.get();
        panel = std::move(p);
        panel->resize(1100, 640);
        panel->show();
        return raw;
    }

    bool openPort(unsigned readTimeoutMs = 40) {
        const std::string name = "\\\\.\\" + module->portName();
        const bool open = WithLibrary([&] {
            return QVZB_OpenCom(name.c_str(), 115200, 8, 0, 0, 0, 0, 0, 0, readTimeoutMs);
        }) == 1;
        module->clearLog();
        return open;
    }

    // A module goes into the remote list the way an operator adds one by hand (its channel, its address, "添加";
    // air rate 0), its row is selected and the remote tab made current.
    bool addByHand(int channel, uint16_t address) {
        CPageListDevRemoteCel* list = panel->remoteCelList();
        if (!list) return false;
        panel->deviceTabs()->setCurrentIndex(1);
        Field<QComboBox>(list, QStringLiteral("通道号"))->setCurrentIndex(channel - 11);
        Field<QLineEdit>(list, QStringLiteral("本地网络地址"))->setText(QStringLiteral("0x%1").arg(address, 4, 16, QLatin1Char('0')));
        const int before = list->rows()->topLevelItemCount();
        QTest::mouseClick(Button(list, QStringLiteral("添加")), Qt::LeftButton);
        if (list->rows()->topLevelItemCount() != before + 1) return false;
        list->rows()->setCurrentItem(list->rows()->topLevelItem(before));
        module->clearLog();
        op.clear();
        return panel->remoteMode() && panel->selectedRemote() == before;
    }
    // Simulated remote module i, which must be on air rate 0.
    bool addRemoteByHand(size_t i) {
        const sim::CelModule m = remote(i);
        return m.liveRate() == 0 && addByHand(m.liveChannel(), m.liveAddress());
    }

    template <typename F>
    auto withModel(F&& f) { return module->withModel<sim::CelModel>(std::forward<F>(f)); }
    sim::CelModule local() { return withModel([](sim::CelModel& m) { return m.local(); }); }
    sim::CelModule remote(size_t i) { return withModel([i](sim::CelModel& m) { return m.remote(i); }); }

    // Frames the module received with this command byte.
    size_t framesWith(uint8_t command) const {
        const auto frames = module->frameBytes();
        return static_cast<size_t>(std::count_if(frames.begin(), frames.end(), [command](const sim::Bytes& f) {
            return f.size() > 3 && f[0] == 0xAB && f[3] == command;
        }));
    }

    // Lets posted panel commands run.
    static void settle() {
        QTest::qWait(1);
        QApplication::processEvents();
    }

    QTemporaryDir dir;
    ScriptedOperator op;
    ShellContext context;
    std::unique_ptr<sim::SimServer> module;
    std::unique_ptr<CPanViewCel> panel;
};

// Command bytes of the CEL configuration frames.
namespace celcmd {
inline constexpr uint8_t kReadLocal = 0xD1, kReadConfig = 0xD5, kWriteConfig = 0xD6, kRestart = 0xD9,
                         kFactoryReset = 0xDA, kSecurity = 0xDE;
}

}  // namespace testsupport
