#include "orlnet/OrlnetImage.h"

#include <algorithm>
#include <span>

#include "core/ImageFile.h"

namespace radlink::orlnet {

static_assert(kImageBlockSize == kBlockData);

std::optional<Image> LoadImage(const char* path, ImageRefusal* why) {
    auto refuse = [why](ImageRefusal reason) {
        if (why) *why = reason;
        return std::nullopt;
    };
    const auto bytes = ReadImageFile(path);
    if (!bytes) return refuse(ImageRefusal::Unreadable);
    if (bytes->size() < kImageHeaderSize) return refuse(ImageRefusal::TooShort);
    const std::span<const uint8_t> file(*bytes);
    const auto layout = ReadImageHeader(file.first<kImageHeaderSize>(), file.size());
    if (!layout) return refuse(ImageRefusal::TooShort);

    constexpr Op kRegionOps[2] = {Op::BlockRegion1, Op::BlockRegion2};
    Image image;
    size_t at = kImageHeaderSize;
    for (int r = 0; r < 2; ++r) {
        const ImageRegion& region = layout->regions[r];
        for (size_t i = 0; i < region.blocks; ++i, at += kBlockData) {
            ImageBlock block{static_cast<int32_t>(region.start + static_cast<int64_t>(i * kBlockData)), kRegionOps[r],
                             {}};
            const auto data = file.subspan(at, kBlockData);
            std::copy(data.begin(), data.end(), block.data.begin());
            image.blocks.push_back(block);
        }
    }
    return image;
}

}  // namespace radlink::orlnet
