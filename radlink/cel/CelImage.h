// Firmware image files: a 20-byte header (first-phase start and end, second-phase start and end, one unused
// word; signed 32-bit little-endian module addresses, ends exclusive) followed by the 64-byte blocks of the first
// phase and then of the second, in position order.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "cel/CelFrames.h"

namespace radlink::cel {

struct ImageBlock {
    int64_t position;
    std::span<const uint8_t, kUpgradeBlockData> data;
};

class CelImage {
public:
    // Reads and checks an image: nullopt when the file cannot be read, its header is incomplete, or it is shorter
    // than the blocks its header declares.
    static std::optional<CelImage> Load(const char* path);
    static std::optional<CelImage> Parse(std::vector<uint8_t> bytes);

    // The blocks of phase 0 (first, sent slowly; only when its start is above 0) and phase 1 (second).
    std::vector<ImageBlock> Blocks(int phase) const;

private:
    struct Range {
        int64_t start;
        int64_t end;
        size_t blocks;  // positions start, start + 64, ... below end
    };
    CelImage(std::vector<uint8_t> bytes, Range first, Range second)
        : bytes_(std::move(bytes)), phases_{first, second} {}

    std::vector<uint8_t> bytes_;
    Range phases_[2];
};

}  // namespace radlink::cel
