#include "orlnet/OrlnetImage.h"

#include <fstream>

#include "core/ImageFile.h"

namespace radlink::orlnet {

static_assert(kImageBlockSize == kBlockData);

std::optional<Image> LoadImage(const char* path, ImageRefusal* why) {
    auto refuse = [why](ImageRefusal reason) {
        if (why) *why = reason;
        return std::nullopt;
    };
    if (!UsableImagePath(path)) return refuse(ImageRefusal::Unreadable);
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return refuse(ImageRefusal::Unreadable);
    const std::streamoff size = file.tellg();
    constexpr auto kHeaderSize = static_cast<std::streamoff>(kImageHeaderSize);
    uint8_t header[kImageHeaderSize];
    if (size < 0) return refuse(ImageRefusal::Unreadable);
    if (size < kHeaderSize) return refuse(ImageRefusal::TooShort);
    if (!file.seekg(0) || !file.read(reinterpret_cast<char*>(header), kHeaderSize))
        return refuse(ImageRefusal::Unreadable);
    const auto layout = ReadImageHeader(header, static_cast<uint64_t>(size));
    if (!layout) return refuse(ImageRefusal::TooShort);

    constexpr Op kRegionOps[2] = {Op::BlockRegion1, Op::BlockRegion2};
    Image image;
    for (int r = 0; r < 2; ++r) {
        const ImageRegion& region = layout->regions[r];
        for (size_t i = 0; i < region.blocks; ++i) {
            ImageBlock block{static_cast<int32_t>(region.start + static_cast<int64_t>(i * kBlockData)), kRegionOps[r],
                             {}};
            if (!file.read(reinterpret_cast<char*>(block.data.data()), kBlockData))
                return refuse(ImageRefusal::Unreadable);
            image.blocks.push_back(block);
        }
    }
    return image;
}

}  // namespace radlink::orlnet
