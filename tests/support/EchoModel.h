// A minimal model for tests of the channel and the server: frames are "L n b1..bn" (length-prefixed after the
// lead byte 0x4C); the answer repeats the frame. Anything else is ended by the quiet gap and answered by silence.
#pragma once

#include "core/ModuleModel.h"

namespace testsupport {

class EchoModel : public sim::ModuleModel {
public:
    size_t frameLength(std::span<const uint8_t> p) const override {
        if (p[0] != 0x4C) return kUnknownLength;
        return p.size() < 2 ? 0 : static_cast<size_t>(p[1]) + 2;
    }
    std::vector<sim::Reply> handle(std::span<const uint8_t> frame) override {
        if (frame[0] != 0x4C) return {};
        return {sim::Reply{sim::Bytes(frame.begin(), frame.end()), {}}};
    }
    std::string describe() const override { return "echo"; }
};

}  // namespace testsupport
