// Faults the simulator can put on its next answers.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sim {

struct Fault {
    enum class Kind {
        NoAnswer,      // stay silent
        Truncate,      // drop the last `count` bytes of each answer block
        Extend,        // append `count` bytes of `value` to each answer block
        SetByte,       // set byte `at` of each answer block to `value` (counted from the block's end: `fromEnd`)
        Delay,         // hold the answer back for `ms`
        Split,         // send the first `at` bytes, pause `ms`, then the rest
        Stray,         // after the answer, pause `ms`, then send `count` bytes of `value` unasked
        Lead,          // send `count` bytes of `value` right before the answer
        Vanish,        // close the line instead of answering, as an unplugged USB bridge does (the server then stops)
        Replace,       // answer with `bytes` instead
        Babble,        // after the answer, send `bytes` (the answer's last block when empty) again and again, every
                       // `ms`, for `lasting` or until the next request arrives
    };
    Kind kind = Kind::NoAnswer;
    size_t at = 0;
    bool fromEnd = false;
    size_t count = 0;
    uint8_t value = 0;
    std::chrono::milliseconds ms{0};
    std::chrono::milliseconds lasting{0};
    std::vector<uint8_t> bytes;

    // Which requests it applies to: all when unset, else those whose byte `matchAt` equals `matchValue`.
    std::optional<size_t> matchAt;
    uint8_t matchValue = 0;
    // How many matching requests it applies to before it is used up; -1 for ever.
    int times = 1;

    bool matches(std::span<const uint8_t> request) const {
        if (!matchAt) return true;
        return *matchAt < request.size() && request[*matchAt] == matchValue;
    }

    static Fault of(Kind k) {
        Fault f;
        f.kind = k;
        return f;
    }
    static Fault noAnswer() { return of(Kind::NoAnswer); }
    static Fault truncate(size_t n) { Fault f = of(Kind::Truncate); f.count = n; return f; }
    static Fault extend(size_t n, uint8_t v = 0) { Fault f = of(Kind::Extend); f.count = n; f.value = v; return f; }
    static Fault setByte(size_t i, uint8_t v) { Fault f = of(Kind::SetByte); f.at = i; f.value = v; return f; }
    // Byte `i` counted from the end: 1 is the last byte.
    static Fault setByteFromEnd(size_t i, uint8_t v) { Fault f = setByte(i, v); f.fromEnd = true; return f; }
    static Fault vanish() { return of(Kind::Vanish); }
    static Fault lead(size_t n, uint8_t v = 0x55) { Fault f = of(Kind::Lead); f.count = n; f.value = v; return f; }
    static Fault delay(std::chrono::milliseconds d) { Fault f = of(Kind::Delay); f.ms = d; return f; }
    static Fault split(size_t i, std::chrono::milliseconds gap) {
        Fault f = of(Kind::Split); f.at = i; f.ms = gap; return f;
    }
    static Fault stray(size_t n, std::chrono::milliseconds after, uint8_t v = 0x55) {
        Fault f = of(Kind::Stray); f.count = n; f.ms = after; f.value = v; return f;
    }
    static Fault replace(std::vector<uint8_t> b) { Fault f = of(Kind::Replace); f.bytes = std::move(b); return f; }
    static Fault babble(std::chrono::milliseconds every, std::chrono::milliseconds lasting,
                        std::vector<uint8_t> b = {}) {
        Fault f = of(Kind::Babble); f.ms = every; f.lasting = lasting; f.bytes = std::move(b); return f;
    }

    // Restricts the fault to requests with `v` at byte `index` (e.g. the command byte).
    Fault& onlyWhen(size_t index, uint8_t v) { matchAt = index; matchValue = v; return *this; }
    Fault& repeat(int n) { times = n; return *this; }
};

}  // namespace sim
