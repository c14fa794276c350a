// What radlink-sim (and Plexcon's demo mode) builds a module from.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/ModuleModel.h"

namespace sim {

struct ScenarioOptions {
    std::string family = "cel";           // cel, orlnet, snap
    std::string productLine = "quickmesh";  // CEL: quickmesh (control word 1), vnet (2), or a number
    int recordLength = 85;                // CEL configuration reply: 85, 80, 79 or 74 bytes
    int remotes = 3;                      // remote modules on the air
    std::string password = "123456";
    int pacingBaud = 0;                   // 0: answer at once
};

struct FamilyEntry {
    const char* name;
    const char* help;  // one line per option the family reads
    std::unique_ptr<ModuleModel> (*make)(const ScenarioOptions&);
};

// The families the simulator can serve.
const std::vector<FamilyEntry>& Families();
const FamilyEntry* FindFamily(const std::string& name);

}  // namespace sim
