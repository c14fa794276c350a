#include "cel/CelScenario.h"

#include <cstdlib>
#include <stdexcept>

#include "cel/CelModel.h"

namespace sim {

namespace {

uint16_t ControlWordOf(const std::string& productLine) {
    if (productLine == "quickmesh") return 1;
    if (productLine == "vnet") return 2;
    char* end = nullptr;
    const long v = std::strtol(productLine.c_str(), &end, 0);
    if (productLine.empty() || *end || v < 0 || v > 0xFFFF)
        throw std::invalid_argument("CEL product line must be quickmesh, vnet or a control word 0-65535, not '" +
                                    productLine + "'");
    return static_cast<uint16_t>(v);
}

}  // namespace

const char* CelScenarioHelp() {
    return "  --line      quickmesh (control word 1), vnet (control word 2; terminal parameters protected by the\n"
           "              password) or a control word number\n"
           "  --record    length of the configuration reply: 85, 80 (low-power), 79 or 74 bytes\n"
           "  --remotes   remote modules on the air from address 0x0101 on, each on its own channel and air rate\n"
           "              (the first three: 12 at 250k, 15 at 500k, 18 at 1M; at most 200); the local module is\n"
           "              0x0010 on channel 15 at 250k\n"
           "  --password  configuration password of every module (at most 16 bytes)\n";
}

std::unique_ptr<ModuleModel> MakeCelModel(const ScenarioOptions& options) {
    if (options.remotes < 0) throw std::invalid_argument("the number of remote CEL modules cannot be negative");
    if (options.recordLength < 0) throw std::invalid_argument("CEL record length must be 85, 80, 79 or 74 bytes");
    CelModelOptions o;
    o.controlWord = ControlWordOf(options.productLine);
    o.recordLength = static_cast<size_t>(options.recordLength);
    o.remotes = static_cast<size_t>(options.remotes);
    o.password = options.password;
    return std::make_unique<CelModel>(o);
}

}  // namespace sim
