#include "orlnet/OrlnetImage.h"

#include <fstream>

#include "core/ImageFile.h"

namespace radlink::orlnet {

static_assert(kImageBlockSize == kBlockData);

std::optional<Image> LoadImage(const char* path) {
    if (!UsableImagePath(path)) return std::nullopt;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return std::nullopt;
    const std::streamoff size = file.tellg();
    constexpr auto kHeaderSize = static_cast<std::streamoff>(kImageHeaderSize);
    uint8_t header[kImageHeaderSize];
    if (size < kHeaderSize || !file.seekg(0) || !file.read(reinterpret_cast<char*>(header), kHeaderSize))
        return std::nullopt;
    const auto layout = ReadImageHeader(header, static_cast<uint64_t>(size));
    if (!layout) return std::nullopt;

    constexpr Op kRegionOps[2] = {Op::BlockRegion1, Op::BlockRegion2};
    Image image;
    for (int r = 0; r < 2; ++r) {
        const ImageRegion& region = layout->regions[r];
        for (size_t i = 0; i < region.blocks; ++i) {
            ImageBlock block{static_cast<int32_t>(region.start + static_cast<int64_t>(i * kBlockData)), kRegionOps[r],
                             {}};
            if (!file.read(reinterpret_cast<char*>(block.data.data()), kBlockData)) return std::nullopt;
            image.blocks.push_back(block);
        }
    }
    return image;
}

}  // namespace radlink::orlnet
