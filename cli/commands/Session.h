// What every command that talks to a module shares: the port, the family, the line settings, the optional
// remote module, and opening all that.
#pragma once

#include <memory>
#include <string>

#include "core/LineSettings.h"
#include "module/Family.h"

namespace CLI {
class App;
}

namespace cli {

struct ModuleOptions {
    std::string port;
    std::string family = "cel";
    LineSettings line;
    int remote = 0;  // number from the last search, from 1; 0 the local module
    bool json = false;
};

// Adds PORT, --family, the line options, --json and (when asked) --remote.
void AddModuleOptions(CLI::App& command, ModuleOptions& options, bool withRemote);

class Session {
public:
    // Opens the port and, for a remote module, puts it back on the search list; an exit code, 0 when ready.
    int open(const ModuleOptions& options);
    Family& family() { return *family_; }
    Target target() const { return target_; }
    // "local module" or "remote module N"
    std::string targetName() const;

private:
    OpenPort port_;
    std::unique_ptr<Family> family_;
    Target target_;
    int remoteNumber_ = 0;
};

}  // namespace cli
