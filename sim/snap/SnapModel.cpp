#include "snap/SnapModel.h"

#include <algorithm>
#include <cstdio>

namespace sim {

namespace {

using L = SnapRecordLayout;

constexpr uint8_t kLead[3] = {0x5A, 0x5F, 0xFA};
constexpr size_t kHeader = 8;
constexpr uint8_t kRead = 0x55, kWrite = 0xAA;
constexpr std::array<uint8_t, 3> kLocal{0x00, 0x00, 0x00}, kEveryone{0xFF, 0xFF, 0xFF};
constexpr uint8_t kUpdateKey[5] = {0x10, 0x20, 0x30, 0x40, 0x50};
constexpr size_t kPasswordWire = 9;
constexpr size_t kPasswordArea = 12;   // what a password read returns after the status byte
constexpr size_t kEepromBlock = 16;    // what an EEPROM read returns after the status byte
constexpr size_t kSearchIdentity = 11;  // MAC, NETID, channel

std::array<uint8_t, 3> AddressIn(std::span<const uint8_t> frame) { return {frame[3], frame[4], frame[5]}; }

// The request echoed, the status byte and the data of a read.
Bytes Answer(std::span<const uint8_t> request, uint8_t status, std::span<const uint8_t> data = {}) {
    Bytes out(request.begin(), request.end());
    out.push_back(status);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// Length of a request from its operation and register; 0 when only a quiet line tells.
size_t RequestLength(bool local, uint8_t op, uint8_t reg, size_t have) {
    if (op == kRead) {
        switch (reg) {
            case 0x00: case 0x01: case 0x02: case 0x03: case 0x04: case 0x07: case 0xC4: return kHeader;
            case 0x05: case 0x06: case 0xC2: return kHeader + 1;
            default: return ModuleModel::kUnknownLength;
        }
    }
    if (op != kWrite) return ModuleModel::kUnknownLength;
    switch (reg) {
        case 0x00: return kHeader + L::kSize;
        case 0x01: return kHeader + 2;
        case 0x02: return kHeader + 3;
        case 0x03: case 0x07: return kHeader + 1;
        case 0x04: return have > kHeader ? kHeader + 1 : 0;  // the signal-strength request carries no data
        case 0x05: case 0x06: return kHeader + 2;
        case 0xC1: case 0xC3: return kHeader;
        case 0xC2: return 0;  // address and any number of data bytes
        case 0xC4: return kHeader + kPasswordWire;
        case 0xF0: return local ? kHeader + sizeof kUpdateKey + 1 : kHeader + 1;
        default: return ModuleModel::kUnknownLength;
    }
}

}  // namespace

std::array<uint8_t, 3> SnapUnit::address() const { return {record[L::kMac + 5], record[L::kMac + 6], record[L::kMac + 7]}; }

uint16_t SnapUnit::netId() const { return static_cast<uint16_t>(record[L::kNetId] << 8 | record[L::kNetId + 1]); }

void SnapUnit::setNetId(uint16_t id) {
    record[L::kNetId] = static_cast<uint8_t>(id >> 8);
    record[L::kNetId + 1] = static_cast<uint8_t>(id);
}

SnapUnit MakeSnapUnit(const std::array<uint8_t, 8>& mac, uint16_t netId, uint8_t channel, uint8_t rate,
                      const std::string& password) {
    SnapUnit u;
    std::copy(mac.begin(), mac.end(), u.record.begin() + L::kMac);
    u.setNetId(netId);
    u.record[L::kChannel] = channel;
    u.record[L::kBaud] = 8;  // 115200
    u.record[L::kParity] = 'N';
    u.record[L::kDataBits] = 8;
    u.record[L::kHeartbeatTime] = 10;
    u.record[L::kHeartbeatChars] = 'H';
    u.record[L::kHeartbeatChars + 1] = 'B';
    u.record[L::kRate] = rate;
    u.record[L::kTxPower] = 0x11;
    u.record[L::kWorkMode] = 'S';
    u.record[L::kRouting] = 1;
    u.record[L::kSignal] = 0x40;
    const uint8_t version[5] = {1, 0, 2, 0, 3}, script[3] = {1, 0, 5};
    std::copy(std::begin(version), std::end(version), u.record.begin() + L::kVersion);
    std::copy(std::begin(script), std::end(script), u.record.begin() + L::kScriptVersion);
    u.password = password.substr(0, kPasswordWire);
    for (size_t i = 0; i < u.eeprom.size(); ++i) u.eeprom[i] = static_cast<uint8_t>(i);
    for (size_t i = 0; i < u.analog.size(); ++i) u.analog[i] = static_cast<uint16_t>(0x0123 * (i + 1));
    u.signal = 0x40;
    u.factoryRecord = u.record;
    u.factoryPassword = u.password;
    return u;
}

SnapUnit SnapModel::DefaultLocal() {
    SnapUnit u = MakeSnapUnit({0x00, 0x12, 0x4B, 0x00, 0x01, 0x02, 0x03, 0x04}, 0x1234, 4, 0);
    u.record[L::kWorkMode] = 'M';
    u.factoryRecord = u.record;
    return u;
}

SnapModel::SnapModel(SnapUnit local, std::deque<SnapUnit> remotes)
    : local_(std::move(local)), remotes_(std::move(remotes)) {}

SnapUnit& SnapModel::addRemote(SnapUnit unit) {
    remotes_.push_back(std::move(unit));
    return remotes_.back();
}

SnapUnit* SnapModel::findRemote(const std::array<uint8_t, 3>& address) {
    for (auto& r : remotes_)
        if (r.address() == address) return &r;
    return nullptr;
}

bool SnapModel::reachable(const SnapUnit& remote) const {
    return remote.channel() == local_.channel() && remote.rate() == local_.rate();
}

size_t SnapModel::frameLength(std::span<const uint8_t> pending) const {
    const size_t lead = std::min(pending.size(), sizeof kLead);
    if (!std::equal(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(lead), kLead))
        return kUnknownLength;
    if (pending.size() < kHeader) return 0;
    return RequestLength(AddressIn(pending) == kLocal, pending[6], pending[7], pending.size());
}

std::vector<Reply> SnapModel::handle(std::span<const uint8_t> frame) {
    if (frame.size() < kHeader || !std::equal(kLead, kLead + 3, frame.begin())) return {};
    const auto to = AddressIn(frame);
    if (to == kEveryone) return frame[6] == kRead && frame[7] == 0x00 ? searchAnswers(frame) : std::vector<Reply>{};
    SnapUnit* unit = to == kLocal ? &local_ : findRemote(to);
    if (!unit || (unit != &local_ && !reachable(*unit))) return {};
    const bool overTheAir = unit != &local_;
    std::optional<Bytes> answer;
    if (frame[6] == kRead) answer = answerRead(*unit, frame);
    if (frame[6] == kWrite) answer = answerWrite(*unit, overTheAir, frame);
    if (!answer) return {};
    return {Reply{std::move(*answer), {}}};
}

std::vector<Reply> SnapModel::searchAnswers(std::span<const uint8_t> request) const {
    std::vector<Reply> out;
    for (const auto& r : remotes_) {
        if (!reachable(r)) continue;
        Bytes answer(request.begin(), request.begin() + kHeader);
        answer.push_back(1);
        answer.insert(answer.end(), r.record.begin(), r.record.begin() + kSearchIdentity);
        out.push_back(Reply{std::move(answer), searchAnswerGap_});
    }
    return out;
}

Bytes SnapModel::signalAnswer(SnapUnit& u, std::span<const uint8_t> request) {
    if (signalDrift_) {
        const int step = static_cast<int>(drift_() % 9) - 4;
        u.signal = static_cast<uint8_t>(std::clamp(int(u.signal) + step, 40, 90));
    }
    return Answer(request, 1, std::span<const uint8_t>(&u.signal, 1));
}

std::optional<Bytes> SnapModel::answerRead(SnapUnit& u, std::span<const uint8_t> request) {
    const auto data = request.subspan(kHeader);
    const auto field = [&](size_t at, size_t n) {
        return Answer(request, 1, std::span<const uint8_t>(u.record).subspan(at, n));
    };
    switch (request[7]) {
        case 0x00: return Answer(request, 1, u.record);
        case 0x01: return field(L::kNetId, 2);
        case 0x02: return field(L::kDstAdr, 3);
        case 0x03: return field(L::kWorkMode, 1);
        case 0x04: return signalAnswer(u, request);
        case 0x05: {
            if (data.size() != 1 || data[0] >= u.analog.size()) return Answer(request, 0);
            const uint16_t v = u.analog[data[0]];
            const uint8_t value[2] = {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
            return Answer(request, 1, value);
        }
        case 0x06:
            if (data.size() != 1 || data[0] >= u.ioValue.size()) return Answer(request, 0);
            return Answer(request, 1, std::span<const uint8_t>(&u.ioValue[data[0]], 1));
        case 0x07: return field(L::kRate, 1);
        case 0xC2: {
            if (data.size() != 1) return Answer(request, 0);
            Bytes block(kEepromBlock);
            for (size_t i = 0; i < kEepromBlock; ++i) block[i] = u.eeprom[(data[0] + i) % u.eeprom.size()];
            return Answer(request, 1, block);
        }
        case 0xC4: {
            Bytes area(kPasswordArea, 0);
            std::copy(u.password.begin(), u.password.end(), area.begin());
            return Answer(request, 1, area);
        }
        default: return std::nullopt;
    }
}

std::optional<Bytes> SnapModel::answerWrite(SnapUnit& u, bool overTheAir, std::span<const uint8_t> request) {
    const auto data = request.subspan(kHeader);
    const auto setField = [&](size_t at, size_t n) {
        if (data.size() != n) return Answer(request, 0);
        std::copy(data.begin(), data.end(), u.record.begin() + static_cast<std::ptrdiff_t>(at));
        return Answer(request, 1);
    };
    switch (request[7]) {
        case 0x00: return setField(0, L::kSize);
        case 0x01: return setField(L::kNetId, 2);
        case 0x02: return setField(L::kDstAdr, 3);
        case 0x03: return setField(L::kWorkMode, 1);
        case 0x04:
            if (data.empty()) return signalAnswer(u, request);
            return setField(L::kChannel, 1);
        case 0x05:
        case 0x06: {
            auto& lines = request[7] == 0x05 ? u.ioDirection : u.ioValue;
            if (data.size() != 2 || data[0] >= lines.size()) return Answer(request, 0);
            lines[data[0]] = data[1];
            return Answer(request, 1);
        }
        case 0x07: return setField(L::kRate, 1);
        case 0xC1: ++u.restarts; return std::nullopt;
        case 0xC2:
            if (data.size() < 2) return Answer(request, 0);
            for (size_t i = 1; i < data.size(); ++i) u.eeprom[(data[0] + i - 1) % u.eeprom.size()] = data[i];
            return Answer(request, 1);
        case 0xC3:
            u.record = u.factoryRecord;
            u.password = u.factoryPassword;
            ++u.factoryResets;
            return Answer(request, 1);
        case 0xC4: {
            if (data.size() != kPasswordWire) return Answer(request, 0);
            auto end = std::find(data.begin(), data.end(), 0);
            u.password.assign(data.begin(), end);
            return Answer(request, 1);
        }
        case 0xF0: {
            // Over the air the value byte comes alone; on the line it must follow the key.
            const size_t keySize = overTheAir ? 0 : sizeof kUpdateKey;
            if (data.size() != keySize + 1 || !std::equal(kUpdateKey, kUpdateKey + keySize, data.begin()))
                return Answer(request, 0);
            u.record[L::kUpdateEnable] = data[keySize];
            return Answer(request, 1);
        }
        default: return std::nullopt;
    }
}

std::string SnapModel::describe() const {
    const auto& m = local_.record;
    char text[160];
    std::snprintf(text, sizeof text,
                  "SNAP module %02x:%02x:%02x:%02x:%02x:%02x:%02x:%02x, channel index %u, air rate %u, "
                  "%zu remote modules",
                  m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], local_.channel(), local_.rate(), remotes_.size());
    return text;
}

}  // namespace sim
