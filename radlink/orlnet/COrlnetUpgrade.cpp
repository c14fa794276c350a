// Firmware upgrade: upgrade mode, the image's blocks region by region, end of upgrade.
#include "core/Bytes.h"
#include "orlnet/COrlnetDev.h"
#include "orlnet/OrlnetImage.h"

namespace radlink {

using namespace orlnet;

bool COrlnetDev::Upgrade(int index, const Image& image, uint8_t runState, uint16_t address, uint16_t controlWord,
                         const UpgradeObserver& observer) {
    if (!Report(observer, 0, image.blocks.size())) return false;  // stopped before anything was sent
    if (index == -1) return SendImage(image, {address, false}, runState, controlWord, observer);
    return OnRemote(index, [&](COrlnetDev& entry) {
        return SendImage(image, {address, entry.viaRoute_}, runState, controlWord, observer);
    });
}

bool COrlnetDev::SendImage(const Image& image, Target target, uint8_t runState, uint16_t controlWord,
                           const UpgradeObserver& observer) {
    // A module in any other run state is in upgrade mode already.
    if (runState == kRunStateNormal) {
        if (!Exchange(Op::EnterUpgrade, target, BigEndian16Bytes(controlWord)) ||
            !Restart(target.address, controlWord, target.viaRoute))
            return false;
    }
    size_t accepted = 0;
    bool goOn = true;
    for (const ImageBlock& block : image.blocks) {
        if (!goOn) return false;  // stopped: the module stays in upgrade mode, as after a refused block
        Bytes payload(2 + kBlockData);
        const auto position = BigEndian16Bytes(static_cast<uint16_t>(block.address));
        std::copy(position.begin(), position.end(), payload.begin());
        std::copy(block.data.begin(), block.data.end(), payload.begin() + 2);
        if (!Exchange(block.op, target, payload)) return false;
        goOn = Report(observer, ++accepted, image.blocks.size());
    }
    return Exchange(Op::EndUpgrade, target, BigEndian16Bytes(1)) && Restart(target.address, 1, target.viaRoute);
}

}  // namespace radlink
