#include "core/Scenario.h"

#include "cel/CelScenario.h"

namespace sim {

const std::vector<FamilyEntry>& Families() {
    static const std::vector<FamilyEntry> kFamilies = {
        {"cel", CelScenarioHelp(), &MakeCelModel},
        // @@MORE-FAMILIES@@
    };
    return kFamilies;
}

const FamilyEntry* FindFamily(const std::string& name) {
    for (const auto& f : Families())
        if (name == f.name) return &f;
    return nullptr;
}

}  // namespace sim
