// Firmware upgrade: upgrade mode, the image's blocks region by region, end of upgrade.
#include "core/Bytes.h"
#include "orlnet/COrlnetDev.h"
#include "orlnet/OrlnetImage.h"

namespace radlink {

using namespace orlnet;

bool COrlnetDev::Upgrade(int index, const char* path, uint8_t runState, uint16_t address, uint16_t controlWord) {
    const auto image = LoadImage(path);  // refused before anything is sent
    if (!image) return false;
    if (index == -1) return SendImage(*image, {address, false}, runState, controlWord);
    return OnRemote(index, [&](COrlnetDev& entry) {
        return SendImage(*image, {address, entry.viaRoute_}, runState, controlWord);
    });
}

bool COrlnetDev::SendImage(const Image& image, Target target, uint8_t runState, uint16_t controlWord) {
    // A module in any other run state is in upgrade mode already.
    if (runState == kRunStateNormal) {
        if (!Exchange(Op::EnterUpgrade, target, BigEndian16Bytes(controlWord)) ||
            !Restart(target.address, controlWord, target.viaRoute))
            return false;
    }
    for (const ImageBlock& block : image.blocks) {
        Bytes payload(2 + kBlockData);
        const auto position = BigEndian16Bytes(static_cast<uint16_t>(block.address));
        std::copy(position.begin(), position.end(), payload.begin());
        std::copy(block.data.begin(), block.data.end(), payload.begin() + 2);
        if (!Exchange(block.op, target, payload)) return false;
    }
    return Exchange(Op::EndUpgrade, target, BigEndian16Bytes(1)) && Restart(target.address, 1, target.viaRoute);
}

}  // namespace radlink
