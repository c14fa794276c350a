#include "cel/CelModule.h"

#include <algorithm>
#include <cstring>

namespace sim {

void CelModule::setWord(size_t offset, uint16_t v) {
    setByte(offset, static_cast<uint8_t>(v >> 8));
    setByte(offset + 1, static_cast<uint8_t>(v));
}

std::string CelModule::text(size_t offset) const {
    std::string s;
    for (size_t i = 0; i < celfield::kTextWidth && byteAt(offset + i) != 0; ++i)
        s.push_back(static_cast<char>(byteAt(offset + i)));
    return s;
}

void CelModule::setText(size_t offset, const std::string& value) {
    for (size_t i = 0; i < celfield::kTextWidth; ++i)
        setByte(offset + i, i < value.size() ? static_cast<uint8_t>(value[i]) : 0);
}

void CelModule::setRecordLength(size_t length) {
    const size_t size = length - 9;
    const size_t old = area.size();
    area.resize(size);
    for (size_t i = old; i < size; ++i) area[i] = i < factoryArea.size() ? factoryArea[i] : 0;
}

void CelModule::restart(uint16_t word) {
    ++restarts;
    lastRestartWord = word;
    live = area;
    live.resize(std::max(live.size(), celfield::kFullArea), 0);
    runState = runStateAfterRestart;
}

Bytes CelModule::configReply(uint8_t command) const {
    Bytes r(recordLength());
    const uint8_t head[4] = {0xAB, 0xBC, 0xCD, command};
    std::copy(head, head + 4, r.begin());
    std::copy(area.begin(), area.end(), r.begin() + 4);
    const uint8_t tail[5] = {runState, static_cast<uint8_t>(controlWord >> 8), static_cast<uint8_t>(controlWord),
                             static_cast<uint8_t>(firmwareVersion >> 8), static_cast<uint8_t>(firmwareVersion)};
    std::copy(tail, tail + 5, r.end() - 5);
    return r;
}

}  // namespace sim
