#include "core/Scenario.h"

#include "cel/CelScenario.h"
#include "snap/SnapScenario.h"
#include "orlnet/OrlnetScenario.h"

namespace sim {

const std::vector<FamilyEntry>& Families() {
    static const std::vector<FamilyEntry> kFamilies = {
        {"cel", CelScenarioHelp(), &MakeCelModel},
        {"orlnet", OrlnetScenarioHelp(), &MakeOrlnetModel},
        {"snap", SnapScenarioHelp(), &MakeSnapModel},
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
