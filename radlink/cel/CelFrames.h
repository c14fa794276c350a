// Request frames of the family and the rules that accept their replies. Pure functions, no I/O.
//
// Configuration frames: AB BC CD, command, [16-bit address], parameters, sum of all preceding bytes (mod 256);
// UPGRADE_BLOCK ends with the exclusive-or of its position and data instead. IO frames: DE DF EF, command, 16-bit
// address, parameters, no check byte. Multi-byte numbers are big-endian on the wire.
#pragma once

#include <cstdint>
#include <span>

#include "cel/CelRecord.h"
#include "core/SearchKey.h"

namespace radlink::cel {

// Configuration-frame commands.
enum ConfigCommand : uint8_t {
    kReadLocalConfig = 0xD1,
    kSetChannel = 0xD2,
    kSetRate = 0xD3,
    kSearch = 0xD4,
    kReadConfig = 0xD5,
    kWriteConfig = 0xD6,
    kUpgradeBlock = 0xD7,
    kUpgradeEnd = 0xD8,
    kRestart = 0xD9,
    kFactoryReset = 0xDA,
    kUpgradeBegin = 0xDB,
};

// IO-frame commands (the same codes as above mean something else under the IO lead bytes).
enum IoCommand : uint8_t {
    kIoDirAll = 0xD4,
    kIoRead = 0xD5,
    kIoWrite = 0xD6,
    kAdRead = 0xD7,
};

inline constexpr size_t kUpgradeBlockData = 64;
inline constexpr size_t kSearchAnswerLength = 13;

uint8_t SumCheck(std::span<const uint8_t> bytes);
uint8_t XorCheck(std::span<const uint8_t> bytes);

// AB BC CD command parameters check.
Bytes ShortFrame(ConfigCommand command, std::span<const uint8_t> parameters = {});
// AB BC CD command address parameters check.
Bytes AddressedFrame(ConfigCommand command, uint16_t address, std::span<const uint8_t> parameters = {});
// RESTART, FACTORY_RESET, UPGRADE_BEGIN, UPGRADE_END: addressed, carrying the control word.
Bytes ControlFrame(ConfigCommand command, uint16_t address, uint16_t controlWord);
// UPGRADE_BLOCK: the position's low 16 bits, 64 data bytes, their exclusive-or.
Bytes UpgradeBlockFrame(uint16_t address, int64_t position, std::span<const uint8_t, kUpgradeBlockData> data);
// DE DF EF command address parameters.
Bytes IoFrame(IoCommand command, uint16_t address, std::span<const uint8_t> parameters = {});

// What a reply is judged against beyond its own bytes.
struct ReplyExpect {
    uint16_t address = 0;
    int64_t position = 0;  // upgrade block position
};

bool AcceptLocalConfig(std::span<const uint8_t> reply);   // byte 3 is D1; length 74, 79, 80 or 85
bool AcceptRemoteConfig(std::span<const uint8_t> reply);  // at least 74 bytes beginning AB BC CD
bool AcceptTuningAck(std::span<const uint8_t> reply);     // 5 bytes, status byte 4 is 0
bool AcceptSearchAnswer(std::span<const uint8_t> reply);  // 13 bytes, byte 3 is D4; ParseSearchAnswer reads it
bool AcceptWriteAck(std::span<const uint8_t> reply);      // 7 bytes, status byte 6 is 0
bool AcceptControlAck(std::span<const uint8_t> reply);    // 9 bytes, status byte 8 is 0
// Byte 3 is D7, bytes 4-5 the address, bytes 6-7 (a 16-bit number) the whole position, byte 8 is 0. Bytes the
// reply lacks read as 0.
bool AcceptUpgradeBlockAck(std::span<const uint8_t> reply, uint16_t address, int64_t position);
bool AcceptIoAck(std::span<const uint8_t> reply);  // 7 bytes
bool AcceptAdReply(std::span<const uint8_t> reply);  // 8 bytes

}  // namespace radlink::cel
