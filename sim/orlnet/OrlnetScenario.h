// Builds a simulated ORLNET network from the command's options.
#pragma once

#include <memory>

#include "core/Scenario.h"

namespace sim {

const char* OrlnetScenarioHelp();
std::unique_ptr<ModuleModel> MakeOrlnetModel(const ScenarioOptions& options);

}  // namespace sim
