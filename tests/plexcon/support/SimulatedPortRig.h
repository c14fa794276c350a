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

// The tests' read time-out: short, so that silent exchanges cost little. Under ThreadSanitizer the simulator's
// instrumented thread can take longer than that to answer, and a missed answer fails the test.
#if defined(__SANITIZE_THREAD__)
inline constexpr unsigned kPortReadTimeoutMs = 200;
#else
inline constexpr unsigned kPortReadTimeoutMs = 40;
#endif

struct SimulatedPortRig {
    explicit SimulatedPortRig(std::unique_ptr<sim::ModuleModel> model)
        : module(std::make_unique<sim::SimServer>(std::move(model))) {
        context.op = &op;
        context.settingsPath = dir.filePath(QStringLiteral("Plexcon.ini"));
        context.logFolder = dir.path();
    }

    bool openPort(unsigned readTimeoutMs = kPortReadTimeoutMs) {
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
