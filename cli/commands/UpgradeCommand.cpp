// radlink upgrade: firmware from an image file, local or remote; on request the configuration is saved before
// and written back after.
#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include <memory>

#include "commands/Commands.h"
#include "commands/Session.h"
#include "core/ExitCodes.h"
#include "core/Progress.h"
#include "module/RecordWriter.h"
#include "radlink.h"

namespace cli {

namespace {

struct UpgradeOptions {
    ModuleOptions module;
    std::string image;
    bool keepConfig = false;
};

int RunUpgrade(const UpgradeOptions& o) {
    Session session;
    if (int rc = session.open(o.module)) return rc;
    Family& family = session.family();
    if (!family.canUpgrade()) {
        fmt::print(stderr, "radlink: the library has no firmware upgrade for {} modules\n", family.name());
        return kExitUsage;
    }
    Bytes before;
    if (!family.load(session.target(), before)) {
        fmt::print(stderr, "radlink: the {} did not answer on {}\n", session.targetName(), o.module.port);
        return kExitFailed;
    }
    Progress progress(1, fmt::format("upgrading the {}", session.targetName()));
    const int result = family.upgrade(session.target(), o.image, before, [&](int accepted, int total) {
        progress.setTotal(static_cast<size_t>(total));
        progress.show(static_cast<size_t>(accepted), fmt::format("block {}/{}", accepted, total));
    });
    progress.finish();
    const bool upgraded = result == RADLINK_UPGRADE_DONE;
    Json report{{"port", o.module.port}, {"family", o.module.family}, {"image", o.image}, {"upgraded", upgraded}};
    int code = kExitOk;
    switch (result) {
        case RADLINK_UPGRADE_DONE: break;
        case RADLINK_UPGRADE_NO_FILE:
            fmt::print(stderr, "radlink: {} is no readable image file; nothing was sent\n", o.image);
            return kExitUsage;
        case RADLINK_UPGRADE_SHORT_IMAGE:
            fmt::print(stderr, "radlink: {} is shorter than the regions its header declares; nothing was sent\n",
                       o.image);
            return kExitUsage;
        default:
            fmt::print(stderr, "radlink: the module did not take the image (result {})\n", result);
            code = kExitFailed;
    }

    if (upgraded && o.keepConfig) {
        // Every settable field back as it was before the upgrade.
        std::vector<FieldChange> changes;
        for (const auto& f : family.fields())
            if (f.settable()) changes.push_back({&f, FieldValue(f, before), FieldBytes(f, before)});
        Bytes now, after;
        Json restored = Json::array();
        if (!family.load(session.target(), now)) {
            fmt::print(stderr, "radlink: upgraded, but the module does not answer to have its configuration back\n");
            code = kExitFailed;
        } else {
            CompareWith(changes, now);
            bool anyChange = false;
            for (const auto& c : changes)
                if (c.differs) {
                    anyChange = true;
                    restored.push_back(c.field->name);
                }
            if (anyChange) {
                const WriteOutcome outcome = WriteAndVerify(family, session.target(), changes, after);
                if (outcome != WriteOutcome::Verified) {
                    fmt::print(stderr, "radlink: upgraded, but the configuration did not all come back\n");
                    code = outcome == WriteOutcome::NotVerified ? kExitNotVerified : kExitFailed;
                }
            }
        }
        report["configRestored"] = restored;
        report["configVerified"] = code == kExitOk;
    }
    if (o.module.json) {
        fmt::print("{}\n", report.dump(2));
    } else if (upgraded) {
        fmt::print("{}: firmware upgraded from {}\n", o.module.port, o.image);
        if (report.contains("configRestored"))
            fmt::print("{}: configuration {} ({} field(s) written back)\n", o.module.port,
                       code == kExitOk ? "kept" : "NOT kept", report["configRestored"].size());
    }
    return code;
}

}  // namespace

void AddUpgradeCommand(CLI::App& app, int& exitCode) {
    auto o = std::make_shared<UpgradeOptions>();
    auto* c = app.add_subcommand("upgrade", "upgrade a module's firmware from an image file");
    AddModuleOptions(*c, o->module, true);
    c->add_option("IMAGE", o->image, "firmware image file")->required()->check(CLI::ExistingFile);
    c->add_flag("--keep-config", o->keepConfig, "save the configuration before and write it back after");
    c->callback([o, &exitCode] { exitCode = RunUpgrade(*o); });
}

}  // namespace cli
