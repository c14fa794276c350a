#include "commands/Session.h"

#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include "core/ExitCodes.h"
#include "module/SearchCache.h"

namespace cli {

void AddModuleOptions(CLI::App& command, ModuleOptions& o, bool withRemote) {
    command.add_option("PORT", o.port, "serial port: /dev/ttyUSB0, ttyUSB0 or pts/3")->required();
    command.add_option("--family", o.family, "module family: cel, orlnet or snap (default cel)")
        ->check(CLI::IsMember({"cel", "orlnet", "snap"}));
    command.add_flag("--json", o.json, "print JSON instead of a table");
    if (withRemote)
        command.add_option("--remote", o.remote, "the module with this number in the last `radlink search` of PORT")
            ->check(CLI::PositiveNumber);
    AddLineOptions(command, o.line);
}

int Session::open(const ModuleOptions& o) {
    family_ = MakeFamily(o.family);
    std::optional<Json> entry;
    if (o.remote > 0) {
        std::string error;
        entry = LoadSearchEntry(o.port, o.family, o.remote, error);
        if (!entry) {
            fmt::print(stderr, "radlink: {}\n", error);
            return kExitUsage;
        }
    }
    if (!port_.open(o.port, o.line)) {
        ReportUnopenedPort(o.port);
        return kExitPortUnavailable;
    }
    if (entry) {
        target_ = family_->restoreEntry(*entry);
        if (!target_) {
            fmt::print(stderr, "radlink: remote module {} ({}) did not answer on its channel\n", o.remote,
                       entry->dump());
            return kExitFailed;
        }
        remoteNumber_ = o.remote;
    }
    return kExitOk;
}

std::string Session::targetName() const {
    return target_ ? fmt::format("remote module {}", remoteNumber_) : std::string("local module");
}

}  // namespace cli
