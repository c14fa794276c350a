// An ORLNET or SNAP panel against the real library and a simulated module of its family on its own pty: the port
// opened with a short read time-out, the scripted operator in place of dialogs, a settings file and a log folder
// of its own.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <string>

#include "core/SimServer.h"
#include "radlink.h"
#include "shell/LibraryLock.h"
#include "shell/ShellContext.h"
#include "support/ScriptedOperator.h"

namespace testsupport {

template <typename Panel, typename Model>
struct FamilyPanelRig {
    explicit FamilyPanelRig(std::unique_ptr<Model> model) {
        module = std::make_unique<sim::SimServer>(std::move(model));
        context.op = &op;
        context.settingsPath = dir.filePath(QStringLiteral("Plexcon.ini"));
        context.logFolder = dir.path();
    }
    ~FamilyPanelRig() {
        panel.reset();
        WithLibrary([] {
            QVZB_ORLNET_ClearSearchArr();
            QVZB_SNAP_ClearSearchArr();
            return QVZB_CloseCom();
        });
    }

    Panel* make() {
        panel = std::make_unique<Panel>(context);
        panel->resize(1100, 640);
        panel->show();
        return panel.get();
    }

    bool openPort(unsigned readTimeoutMs = 40) {
        const std::string name = "\\\\.\\" + module->portName();
        const bool open = WithLibrary([&] {
            return QVZB_OpenCom(name.c_str(), 115200, 8, 0, 0, 0, 0, 0, 0, readTimeoutMs);
        }) == 1;
        module->clearLog();
        return open;
    }
    void closePort() {
        WithLibrary([] { return QVZB_CloseCom(); });
    }

    template <typename F>
    auto withModel(F&& f) {
        return module->withModel<Model>(std::forward<F>(f));
    }

    // Frames the module received that satisfy pred.
    template <typename Pred>
    std::vector<sim::Bytes> frames(Pred pred) const {
        std::vector<sim::Bytes> out;
        for (const sim::Bytes& f : module->frameBytes())
            if (pred(f)) out.push_back(f);
        return out;
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
    std::unique_ptr<Panel> panel;
};

}  // namespace testsupport
