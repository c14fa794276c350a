// Firmware image files: a 20-byte header (little-endian 32-bit block addresses: region 1 start and end, region 2
// start and end, one unused word), then the 64-byte blocks of region 1 and of region 2, back to back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "orlnet/OrlnetFrames.h"

namespace radlink::orlnet {

struct ImageBlock {
    int32_t address;  // only the low 16 bits go on the wire
    Op op;            // BlockRegion1 or BlockRegion2: the regions are sent with different pauses
    std::array<uint8_t, kBlockData> data;
};

struct Image {
    std::vector<ImageBlock> blocks;  // in sending order
};

// Reads and checks an image: refused (nothing) when the name is empty or starts with a blank, the file cannot be
// read, or it is too short for the blocks its header declares. Region 1 is sent only when its start is above 0;
// a region whose start is not below its end has no blocks.
std::optional<Image> LoadImage(const char* path);

}  // namespace radlink::orlnet
