// radlink read: the configuration record of the local module or of a remote one.
#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include <memory>

#include "commands/Commands.h"
#include "commands/Session.h"
#include "core/ExitCodes.h"
#include "module/RecordView.h"

namespace cli {

namespace {

struct ReadOptions {
    ModuleOptions module;
    bool showPassword = false;
};

int RunRead(const ReadOptions& o) {
    Session session;
    if (int rc = session.open(o.module)) return rc;
    Bytes record;
    if (!session.family().load(session.target(), record)) {
        fmt::print(stderr, "radlink: the {} did not answer on {} ({} module expected)\n", session.targetName(),
                   o.module.port, o.module.family);
        return kExitFailed;
    }
    if (o.module.json) {
        Json out{{"port", o.module.port},
                 {"family", o.module.family},
                 {"remote", o.module.remote > 0 ? Json(o.module.remote) : Json()},
                 {"fields", RecordValues(session.family(), record, o.showPassword)},
                 {"meanings", RecordMeanings(session.family(), record)}};
        fmt::print("{}\n", out.dump(2));
    } else {
        RecordTable(session.family(), record, o.showPassword).print();
    }
    return kExitOk;
}

}  // namespace

void AddReadCommand(CLI::App& app, int& exitCode) {
    auto o = std::make_shared<ReadOptions>();
    auto* c = app.add_subcommand("read", "print a module's configuration record");
    AddModuleOptions(*c, o->module, true);
    c->add_flag("--show-password", o->showPassword, "include the configuration password");
    c->callback([o, &exitCode] { exitCode = RunRead(*o); });
}

}  // namespace cli
