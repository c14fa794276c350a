#include "core/ImageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/Bytes.h"

namespace radlink {

namespace {

size_t BlockCount(int64_t start, int64_t end) {
    if (start >= end) return 0;
    return static_cast<size_t>((end - start + kImageBlockSize - 1) / kImageBlockSize);
}

}  // namespace

bool UsableImagePath(const char* path) { return path && path[0] != '\0' && path[0] != ' '; }

std::optional<std::vector<uint8_t>> ReadImageFile(const char* path) {
    if (!UsableImagePath(path)) return std::nullopt;
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    std::optional<std::vector<uint8_t>> bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) <= kMaxImageFileSize) {
        bytes.emplace(static_cast<size_t>(st.st_size));
        size_t got = 0;
        while (got < bytes->size()) {
            const ssize_t n = ::read(fd, bytes->data() + got, bytes->size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += static_cast<size_t>(n);
        }
        if (got < bytes->size()) bytes.reset();  // shrank while read, or unreadable
    }
    ::close(fd);
    return bytes;
}

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
