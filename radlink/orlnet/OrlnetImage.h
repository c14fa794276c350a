// Firmware image files (core/ImageFile.h): the regions' blocks go in different commands (pauses).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/ImageFile.h"
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

// Reads and checks an image: refused (nothing) when the name is not usable, the file cannot be read, or it is
// too short for the blocks its header declares; `why` (when given) then says which. Only the header and the
// declared blocks are read.
std::optional<Image> LoadImage(const char* path, ImageRefusal* why = nullptr);

}  // namespace radlink::orlnet
