#include "core/ImageFile.h"

#include "core/Bytes.h"

namespace radlink {

namespace {

size_t BlockCount(int64_t start, int64_t end) {
    if (start >= end) return 0;
    return static_cast<size_t>((end - start + kImageBlockSize - 1) / kImageBlockSize);
}

}  // namespace

bool UsableImagePath(const char* path) { return path && path[0] != '\0' && path[0] != ' '; }

std::optional<ImageLayout> ReadImageHeader(std::span<const uint8_t, kImageHeaderSize> header, uint64_t fileSize) {
    const int64_t firstStart = LittleEndian32At(header, 0), firstEnd = LittleEndian32At(header, 4);
    const int64_t secondStart = LittleEndian32At(header, 8), secondEnd = LittleEndian32At(header, 12);
    const ImageLayout layout{{{firstStart, firstStart > 0 ? BlockCount(firstStart, firstEnd) : 0},
                              {secondStart, BlockCount(secondStart, secondEnd)}}};
    const uint64_t blocks = layout.regions[0].blocks + layout.regions[1].blocks;
    if (kImageHeaderSize + blocks * kImageBlockSize > fileSize) return std::nullopt;
    return layout;
}

}  // namespace radlink
