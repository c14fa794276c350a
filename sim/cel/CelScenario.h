// Builds a simulated CEL module from the command's options.
#pragma once

#include <memory>

#include "core/Scenario.h"

namespace sim {

const char* CelScenarioHelp();
std::unique_ptr<ModuleModel> MakeCelModel(const ScenarioOptions& options);

}  // namespace sim
