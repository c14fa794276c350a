// Firmware image files of the CEL and ORLNET modules: a 20-byte header (first-region start and end, second-region
// start and end, one unused word; signed 32-bit little-endian module addresses, ends exclusive), then the 64-byte
// blocks of the first region and of the second, back to back, in address order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace radlink {

inline constexpr size_t kImageHeaderSize = 20;
inline constexpr size_t kImageBlockSize = 64;

struct ImageRegion {
    int64_t start = 0;
    size_t blocks = 0;  // at addresses start, start + 64, ... below the region's end
};

struct ImageLayout {
    ImageRegion regions[2];  // first, second
};

// Why an image was refused before anything was sent.
enum class ImageRefusal {
    Unreadable,  // no usable name, no regular file, or it cannot be read
    TooShort,    // shorter than its header, or than the blocks its header declares
};

// A name a caller may pass: not null, not empty, not starting with a blank.
bool UsableImagePath(const char* path);

// The regions `header` declares, or nothing when a file of `fileSize` bytes is too short for their blocks. The
// first region has blocks only when its start is above 0; a region whose start is not below its end has none.
std::optional<ImageLayout> ReadImageHeader(std::span<const uint8_t, kImageHeaderSize> header, uint64_t fileSize);

}  // namespace radlink
