// A simulated module family: tells where a request frame ends and answers it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sim {

using Bytes = std::vector<uint8_t>;

// One block the module sends: after `delay` (counted from the end of the previous block, or from the request).
// A block with `repeatFor` is sent again every `repeatEvery` until that time has passed or a request arrives.
struct Reply {
    Bytes bytes;
    std::chrono::milliseconds delay{0};
    std::chrono::milliseconds repeatEvery{0};
    std::chrono::milliseconds repeatFor{0};
};

class ModuleModel {
public:
    virtual ~ModuleModel() = default;

    // Length of the frame at the start of `pending`: its full length once the header tells it, 0 while more
    // bytes are needed to tell, kUnknownLength when the frame is not recognised (the server then ends it at a
    // quiet gap on the line).
    static constexpr size_t kUnknownLength = static_cast<size_t>(-1);
    virtual size_t frameLength(std::span<const uint8_t> pending) const = 0;

    // Answers one request frame; an empty result means silence.
    virtual std::vector<Reply> handle(std::span<const uint8_t> frame) = 0;

    // The module's serial line rate changed through its own configuration (pacing follows it); 0 = unchanged.
    virtual int lineBaud() const { return 0; }

    // One line for the command's start-up banner.
    virtual std::string describe() const = 0;
};

}  // namespace sim
