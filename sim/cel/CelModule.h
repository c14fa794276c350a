// One simulated CEL module: its configuration area as the module keeps it (wire order), its tail, what it shows
// on the air, its IO port and analogue inputs, and its boot loader.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "core/ModuleModel.h"

namespace sim {

// Offsets of the configuration area (wire order: 16-bit numbers big-endian).
namespace celfield {
inline constexpr size_t kDeviceName = 0, kPassword = 16, kDeviceType = 32, kChannel = 33, kPanId = 34,
                        kNetAddress = 36, kMacAddress = 38, kDstNetAddress = 46, kDstMacAddress = 48, kAirRate = 56,
                        kTxPower = 57, kRetryCount = 58, kRetryInterval = 59, kBaudIndex = 60, kDataBits = 61,
                        kStopBits = 62, kParity = 63, kSendMode = 64, kSleepTime = 65, kReceiveDelay = 67,
                        kForwardDelay = 69, kSampleRate = 71, kCompression = 72, kVoiceMode = 73,
                        kOutputVolume = 74, kMicVolume = 75;
inline constexpr size_t kFullArea = 76;
inline constexpr size_t kTextWidth = 16;
}  // namespace celfield

inline constexpr uint8_t kCelNormalFirmware = 0xAA;
inline constexpr uint8_t kCelBootLoader = 0xFF;

struct CelModule {
    // Configuration as stored; its size (76, 71, 70 or 65) fixes the reply length (size + 9).
    Bytes area;
    Bytes factoryArea;  // what a factory reset restores
    uint8_t runState = kCelNormalFirmware;
    uint16_t controlWord = 1;
    uint16_t firmwareVersion = 0x0123;

    // On the air: the stored configuration as of the last restart.
    Bytes live;

    // Extra time before its search answer (answers follow each other by a few ms otherwise).
    std::chrono::milliseconds searchDelay{0};

    uint8_t ioPort = 0;
    uint8_t ioDirection = 0;
    std::array<uint8_t, 8> analog{};

    // Boot loader: blocks received since the last UPGRADE_BEGIN, by their 16-bit position.
    std::map<uint16_t, Bytes> blocks;
    size_t blockFrames = 0;                    // UPGRADE_BLOCK frames taken (retries included)
    std::map<uint16_t, int> rejections;        // position -> how many more times to refuse it
    uint8_t runStateAfterRestart = kCelNormalFirmware;

    int restarts = 0;
    uint16_t lastRestartWord = 0;  // control word of the last RESTART it took
    int factoryResets = 0;

    size_t recordLength() const { return area.size() + 9; }

    // Views of the stored area (numbers in host order); fields beyond a short area read 0 and are not written.
    uint8_t byteAt(size_t offset) const { return offset < area.size() ? area[offset] : 0; }
    void setByte(size_t offset, uint8_t v) {
        if (offset < area.size()) area[offset] = v;
    }
    uint16_t wordAt(size_t offset) const { return static_cast<uint16_t>(byteAt(offset) << 8 | byteAt(offset + 1)); }
    void setWord(size_t offset, uint16_t v);
    std::string text(size_t offset) const;  // up to the first zero byte, at most 16
    void setText(size_t offset, const std::string& value);

    std::string name() const { return text(celfield::kDeviceName); }
    std::string password() const { return text(celfield::kPassword); }
    uint8_t channel() const { return byteAt(celfield::kChannel); }
    uint8_t airRate() const { return byteAt(celfield::kAirRate); }
    uint16_t netAddress() const { return wordAt(celfield::kNetAddress); }
    uint16_t panId() const { return wordAt(celfield::kPanId); }
    uint8_t deviceType() const { return byteAt(celfield::kDeviceType); }

    // Where it is on the air now.
    uint8_t liveChannel() const { return live.at(celfield::kChannel); }
    uint8_t liveRate() const { return live.at(celfield::kAirRate); }
    uint16_t liveAddress() const {
        return static_cast<uint16_t>(live.at(celfield::kNetAddress) << 8 | live.at(celfield::kNetAddress + 1));
    }

    // Changes the record length (85, 80, 79, 74): the area is cut, or grows back with the factory values.
    void setRecordLength(size_t length);
    // Takes the stored configuration onto the air, and leaves or enters the boot loader as announced.
    void restart(uint16_t controlWord);
    // The configuration as a read reply carries it: header, area, tail.
    Bytes configReply(uint8_t command) const;
};

}  // namespace sim
