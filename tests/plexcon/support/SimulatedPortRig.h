// What every panel rig holds: a simulated module on its own pty, the scripted operator in place of dialogs, and a
// settings file in a folder of its own; the port opened with a short read time-out.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

#include "core/SimServer.h"
#include "radlink.h"
#include "shell/LibraryLock.h"
#include "shell/ShellContext.h"
#include "support/ScriptedOperator.h"

namespace testsupport {

struct SimulatedPortRig {
    explicit SimulatedPortRig(std::unique_ptr<sim::ModuleModel> model)
        : module(std::make_unique<sim::SimServer>(std::move(model))) {
        context.op = &op;
        context.settingsPath = dir.filePath(QStringLiteral("Plexcon.ini"));
        context.logFolder = dir.path();
    }

    bool openPort(unsigned readTimeoutMs = 40) {
        const std::string name = "\\\\.\\" + module->portName();
        const bool open = WithLibrary([&] {
            return QVZB_OpenCom(name.c_str(), 115200, 8, 0, 0, 0, 0, 0, 0, readTimeoutMs);
        }) == 1;
        module->clearLog();
        return open;
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
};

}  // namespace testsupport
