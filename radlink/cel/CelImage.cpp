#include "cel/CelImage.h"

#include <fstream>
#include <iterator>

#include "core/Bytes.h"

namespace radlink::cel {

namespace {

constexpr size_t kHeaderSize = 20;

size_t BlockCount(int64_t start, int64_t end) {
    if (start >= end) return 0;
    return static_cast<size_t>((end - start + kUpgradeBlockData - 1) / kUpgradeBlockData);
}

}  // namespace

std::optional<CelImage> CelImage::Load(const char* path) {
    if (!path || !*path || *path == ' ') return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return std::nullopt;
    return Parse(std::move(bytes));
}

std::optional<CelImage> CelImage::Parse(std::vector<uint8_t> bytes) {
    if (bytes.size() < kHeaderSize) return std::nullopt;
    const int64_t firstStart = LittleEndian32At(bytes, 0), firstEnd = LittleEndian32At(bytes, 4);
    const int64_t secondStart = LittleEndian32At(bytes, 8), secondEnd = LittleEndian32At(bytes, 12);
    // The first phase runs only from a position above 0; the second from wherever it starts.
    const Range first{firstStart, firstEnd, firstStart > 0 ? BlockCount(firstStart, firstEnd) : 0};
    const Range second{secondStart, secondEnd, BlockCount(secondStart, secondEnd)};
    if (bytes.size() - kHeaderSize < (first.blocks + second.blocks) * kUpgradeBlockData) return std::nullopt;
    return CelImage(std::move(bytes), first, second);
}

std::vector<ImageBlock> CelImage::Blocks(int phase) const {
    size_t offset = kHeaderSize + (phase == 0 ? 0 : phases_[0].blocks * kUpgradeBlockData);
    const Range& range = phases_[phase == 0 ? 0 : 1];
    std::vector<ImageBlock> blocks;
    blocks.reserve(range.blocks);
    for (size_t i = 0; i < range.blocks; ++i, offset += kUpgradeBlockData) {
        const int64_t position = range.start + static_cast<int64_t>(i * kUpgradeBlockData);
        blocks.push_back({position, std::span<const uint8_t, kUpgradeBlockData>(bytes_.data() + offset,
                                                                                kUpgradeBlockData)});
    }
    return blocks;
}

}  // namespace radlink::cel
