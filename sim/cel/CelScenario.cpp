#include "cel/CelScenario.h"

namespace sim {

namespace {
// Placeholder until the CEL model lands: recognises nothing and stays silent.
class SilentModel : public ModuleModel {
public:
    size_t frameLength(std::span<const uint8_t>) const override { return kUnknownLength; }
    std::vector<Reply> handle(std::span<const uint8_t>) override { return {}; }
    std::string describe() const override { return "silent module"; }
};
}  // namespace

const char* CelScenarioHelp() { return ""; }

std::unique_ptr<ModuleModel> MakeCelModel(const ScenarioOptions&) { return std::make_unique<SilentModel>(); }

}  // namespace sim
