// Firmware image files (core/ImageFile.h): the first region is the first phase, sent slowly; the second region
// the second phase.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "cel/CelFrames.h"
#include "core/ImageFile.h"

namespace radlink::cel {

static_assert(kImageBlockSize == kUpgradeBlockData);

struct ImageBlock {
    int64_t position;
    std::span<const uint8_t, kUpgradeBlockData> data;
};

class CelImage {
public:
    // Reads and checks an image: nullopt when the name is not usable, the file cannot be read, its header is
    // incomplete, or it is shorter than the blocks its header declares; `why` (when given) then says which.
    static std::optional<CelImage> Load(const char* path, ImageRefusal* why = nullptr);
    static std::optional<CelImage> Parse(std::vector<uint8_t> bytes);

    // The blocks of phase 0 (first, sent slowly; only when its start is above 0) and phase 1 (second).
    std::vector<ImageBlock> Blocks(int phase) const;
    size_t BlockCount() const { return layout_.regions[0].blocks + layout_.regions[1].blocks; }

private:
    CelImage(std::vector<uint8_t> bytes, const ImageLayout& layout) : bytes_(std::move(bytes)), layout_(layout) {}

    std::vector<uint8_t> bytes_;
    ImageLayout layout_;
};

}  // namespace radlink::cel
