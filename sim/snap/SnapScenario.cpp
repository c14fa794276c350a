#include "snap/SnapScenario.h"

#include "snap/SnapModel.h"

namespace sim {

namespace {
constexpr uint8_t kOtherChannel = 9;
}

const char* SnapScenarioHelp() {
    return "  -n, --remotes N        remote modules, addresses A1 00 01 on; the even ones on the local module's\n"
           "                         channel index 4 and air rate 0, the odd ones on channel index 9\n"
           "  -p, --password TEXT    every module's password (its first 9 bytes)\n";
}

std::unique_ptr<ModuleModel> MakeSnapModel(const ScenarioOptions& options) {
    SnapUnit local = SnapModel::DefaultLocal();
    local.password = local.factoryPassword = options.password.substr(0, 9);
    auto model = std::make_unique<SnapModel>(std::move(local));
    for (int i = 0; i < options.remotes && i < 255; ++i) {
        const auto n = static_cast<uint8_t>(i + 1);
        const uint8_t channel = i % 2 == 0 ? model->local().channel() : kOtherChannel;
        SnapUnit& r = model->addRemote(
            MakeSnapUnit({0x00, 0x12, 0x4B, 0x00, 0x00, 0xA1, 0x00, n}, model->local().netId(), channel, 0,
                         options.password));
        r.signal = static_cast<uint8_t>(0x30 + n);
    }
    return model;
}

}  // namespace sim
