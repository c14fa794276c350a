#include "orlnet/OrlnetScenario.h"

#include "orlnet/OrlnetModel.h"

namespace sim {

const char* OrlnetScenarioHelp() {
    return "  local module 0x2000 on channel 15 at 250k; --remotes N remote modules from 0x2001 on: every third on\n"
           "  channel 20 at 500k, every third on channel 15 reached only over a route (search by identifier);\n"
           "  --password sets every module's configuration password\n";
}

std::unique_ptr<ModuleModel> MakeOrlnetModel(const ScenarioOptions& options) {
    return std::make_unique<OrlnetModel>(options.remotes, options.password);
}

}  // namespace sim
