#include "orlnet/OrlnetImage.h"

#include <fstream>

#include "core/Bytes.h"

namespace radlink::orlnet {

namespace {

constexpr std::streamoff kHeaderSize = 20;

struct Region {
    int32_t start;
    int32_t end;
    Op op;
    int64_t blocks() const { return end > start ? (int64_t{end} - start + kBlockData - 1) / kBlockData : 0; }
};

}  // namespace

std::optional<Image> LoadImage(const char* path) {
    if (!path || path[0] == '\0' || path[0] == ' ') return std::nullopt;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return std::nullopt;
    const std::streamoff size = file.tellg();
    uint8_t header[kHeaderSize];
    if (size < kHeaderSize || !file.seekg(0) || !file.read(reinterpret_cast<char*>(header), kHeaderSize))
        return std::nullopt;

    Region regions[] = {{LittleEndian32At(header, 0), LittleEndian32At(header, 4), Op::BlockRegion1},
                        {LittleEndian32At(header, 8), LittleEndian32At(header, 12), Op::BlockRegion2}};
    if (regions[0].start <= 0) regions[0].end = regions[0].start;  // region 1 is sent only from a start above 0
    if (kHeaderSize + (regions[0].blocks() + regions[1].blocks()) * int64_t{kBlockData} > size) return std::nullopt;

    Image image;
    for (const Region& region : regions) {
        for (int64_t address = region.start; address < region.end; address += kBlockData) {
            ImageBlock block{static_cast<int32_t>(address), region.op, {}};
            if (!file.read(reinterpret_cast<char*>(block.data.data()), kBlockData)) return std::nullopt;
            image.blocks.push_back(block);
        }
    }
    return image;
}

}  // namespace radlink::orlnet
