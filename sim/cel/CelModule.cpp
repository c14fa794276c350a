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
    Bytes r{0xAB, 0xBC, 0xCD, command};
    r.insert(r.end(), area.begin(), area.end());
    r.push_back(runState);
    r.push_back(static_cast<uint8_t>(controlWord >> 8));
    r.push_back(static_cast<uint8_t>(controlWord));
    r.push_back(static_cast<uint8_t>(firmwareVersion >> 8));
    r.push_back(static_cast<uint8_t>(firmwareVersion));
    return r;
}

}  // namespace sim
