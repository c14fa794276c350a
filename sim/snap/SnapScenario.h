// Builds simulated SNAP modules from the command's options.
#pragma once

#include <memory>

#include "core/Scenario.h"

namespace sim {

const char* SnapScenarioHelp();
std::unique_ptr<ModuleModel> MakeSnapModel(const ScenarioOptions& options);

}  // namespace sim
