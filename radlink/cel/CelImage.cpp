#include "cel/CelImage.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace radlink::cel {

std::optional<CelImage> CelImage::Load(const char* path, ImageRefusal* why) {
    auto refuse = [why](ImageRefusal reason) {
        if (why) *why = reason;
        return std::nullopt;
    };
    if (!UsableImagePath(path)) return refuse(ImageRefusal::Unreadable);
    // Only a regular file is an image: a device or a pipe (/dev/zero, a FIFO) would be read without end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return refuse(ImageRefusal::Unreadable);
    std::ifstream file(path, std::ios::binary);
    if (!file) return refuse(ImageRefusal::Unreadable);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return refuse(ImageRefusal::Unreadable);
    auto image = Parse(std::move(bytes));
    if (!image) return refuse(ImageRefusal::TooShort);
    return image;
}

std::optional<CelImage> CelImage::Parse(std::vector<uint8_t> bytes) {
    if (bytes.size() < kImageHeaderSize) return std::nullopt;
    const auto layout = ReadImageHeader(std::span(bytes).first<kImageHeaderSize>(), bytes.size());
    if (!layout) return std::nullopt;
    return CelImage(std::move(bytes), *layout);
}

std::vector<ImageBlock> CelImage::Blocks(int phase) const {
    size_t offset = kImageHeaderSize + (phase == 0 ? 0 : layout_.regions[0].blocks * kUpgradeBlockData);
    const ImageRegion& region = layout_.regions[phase == 0 ? 0 : 1];
    std::vector<ImageBlock> blocks;
    blocks.reserve(region.blocks);
    for (size_t i = 0; i < region.blocks; ++i, offset += kUpgradeBlockData) {
        const int64_t position = region.start + static_cast<int64_t>(i * kUpgradeBlockData);
        blocks.push_back({position, std::span<const uint8_t, kUpgradeBlockData>(bytes_.data() + offset,
                                                                                kUpgradeBlockData)});
    }
    return blocks;
}

}  // namespace radlink::cel
