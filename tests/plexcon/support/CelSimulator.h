// A simulated CEL module on its own pty, for the program's tests.
#pragma once

#include <memory>
#include <string>

#include "cel/CelScenario.h"
#include "core/SimServer.h"

namespace testsupport {

inline std::unique_ptr<sim::SimServer> StartCelModule(const std::string& productLine = "quickmesh",
                                                      int recordLength = 85) {
    sim::ScenarioOptions options;
    options.productLine = productLine;
    options.recordLength = recordLength;
    return std::make_unique<sim::SimServer>(sim::MakeCelModel(options));
}

}  // namespace testsupport
