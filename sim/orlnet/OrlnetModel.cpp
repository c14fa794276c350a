#include "orlnet/OrlnetModel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

namespace sim {

using namespace orlnet_field;

namespace {

constexpr uint8_t kNormal = 0xAA, kUpgradeMode = 0x55;
constexpr uint8_t kOk = 0, kRefused = 1;
constexpr uint8_t kLocalLookupFailed = 0xA1, kRemoteLookupTimedOut = 0xA3, kSendTimedOut = 0xA4;

uint8_t sum(std::span<const uint8_t> bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), uint8_t{0},
                           [](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + b); });
}

uint16_t wordAt(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void putWord(Bytes& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

// A configuration frame of `length` bytes at the front of `p` ends in its sum.
bool sumHolds(std::span<const uint8_t> p, size_t length) {
    return p.size() >= length && p[length - 1] == sum(p.first(length - 1));
}

// Requests whose two forms have different lengths: the longest form whose check holds, once all could be there.
size_t eitherForm(std::span<const uint8_t> p, size_t a, size_t b) {
    const size_t longer = std::max(a, b), shorter = std::min(a, b);
    if (p.size() < longer) return 0;  // the quiet gap ends the shorter form
    if (sumHolds(p, longer)) return longer;
    return sumHolds(p, shorter) ? shorter : ModuleModel::kUnknownLength;
}

OrlnetModule makeModule(const std::string& name, uint16_t address, uint8_t channel, uint8_t rate, uint8_t type,
                        uint16_t controlWord, const std::string& password) {
    OrlnetModule m;
    auto& c = m.config;
    std::memcpy(c.data() + kName, name.data(), std::min<size_t>(name.size(), 16));
    std::memcpy(c.data() + kPassword, password.data(), std::min<size_t>(password.size(), 16));
    c[kType] = type;
    c[kChannel] = channel;
    m.setWord(kPanId, 0x1A2B);
    m.setWord(kAddress, address);
    for (size_t i = 38; i < 56; ++i) c[i] = static_cast<uint8_t>(i);  // reserved bytes, kept as they are
    c[kRate] = rate;
    c[57] = 0x02;                              // transmit power 8 dBm
    c[58] = 0x3A, c[59] = 0x3B;                // reserved
    c[60] = 7, c[61] = 8, c[62] = 1, c[63] = 0;  // 115200 8N1
    c[64] = 0x40;                              // reserved
    c[65] = 60;                                // route table lifetime, s
    m.setWord(66, 3000);                       // temporary route lifetime, ms
    m.setWord(68, 1000);                       // route query time-out, ms
    m.setWord(70, 200);                        // route retry time, ms
    c[72] = 3;                                 // route retry count
    m.setWord(73, 2000);                       // data access time-out, ms
    c[75] = 50, c[76] = 3;                     // short path resend time, retries
    c[77] = static_cast<uint8_t>(-90), c[78] = static_cast<uint8_t>(-40);  // signal thresholds
    c[kRunState] = kNormal;
    m.setWord(kControlWord, controlWord);
    m.setWord(kFirmware, 0x0123);
    m.factory = c;
    m.restart(controlWord);
    m.restarts.clear();
    return m;
}

// The addresses 0x2001 on, skipping those whose last hexadecimal digit is a letter.
uint16_t remoteAddress(int i) { return static_cast<uint16_t>(0x2001 + i / 9 * 16 + i % 9); }

}  // namespace

std::string OrlnetModule::text(size_t offset) const {
    const char* p = reinterpret_cast<const char*>(config.data() + offset);
    return std::string(p, strnlen(p, 16));
}

void OrlnetModule::restart(uint16_t code) {
    restarts.push_back(code);
    address = word(kAddress);
    channel = config[kChannel];
    rate = config[kRate];
    if (upgradeRequested) config[kRunState] = kUpgradeMode;
    if (upgradeEnded) config[kRunState] = kNormal;
    upgradeRequested = upgradeEnded = false;
}

OrlnetModel::OrlnetModel(int remotes, const std::string& password) : password_(password) {
    local_ = makeModule("ORLNET-LOCAL", 0x2000, 15, 0, 2, 0x0C10, password);
    tunedChannel_ = local_.channel;
    tunedRate_ = local_.rate;
    for (int i = 0; i < remotes; ++i) {
        const bool onOtherChannel = i % 3 == 1;
        addRemote(remoteAddress(i), onOtherChannel ? 20 : 15, onOtherChannel ? 1 : 0, i % 3 == 2);
    }
}

OrlnetModule& OrlnetModel::addRemote(uint16_t address, uint8_t channel, uint8_t rate, bool routeOnly) {
    char name[17];
    std::snprintf(name, sizeof name, "ORLNET-%04X", address);
    const auto controlWord = static_cast<uint16_t>(0x0C20 + remotes_.size());
    OrlnetModule m = makeModule(name, address, channel, rate, routeOnly ? 0 : 1, controlWord, password_);
    m.routeOnly = routeOnly;
    // Direct modules are one hop away; the others behind the first module.
    const uint16_t via = remotes_.empty() ? address : remotes_.front().address;
    const OrlnetRoute route{static_cast<int8_t>(-60 - static_cast<int>(remotes_.size())), address,
                            routeOnly ? std::vector<uint16_t>{via, address} : std::vector<uint16_t>{address}};
    routes_[0][address] = route;
    routes_[1][address] = route;
    remotes_.push_back(std::move(m));
    return remotes_.back();
}

std::string OrlnetModel::describe() const {
    return "ORLNET local module 0x2000 on channel 15 at 250k with " + std::to_string(remotes_.size()) +
           " remote modules";
}

size_t OrlnetModel::frameLength(std::span<const uint8_t> p) const {
    if (p[0] == 0xA5) return p.size() < 2 ? 0 : size_t{p[1]} + 3;
    if (p[0] != 0xAB && p[0] != 0xAC) return kUnknownLength;
    if (p.size() < 4) return 0;
    if (p[1] != 0xBC || p[2] != 0xCD) return kUnknownLength;
    switch (p[3]) {
        case 0xD1: case 0xD4: return 5;
        case 0xD2: case 0xD3: return 6;
        case 0xD5: return eitherForm(p, 7, 9);  // whole record, or offset and length
        case 0xD6: return p.size() < 8 ? 0 : eitherForm(p, 86, 9 + size_t{p[7]});
        case 0xD7: return 73;
        case 0xD8: case 0xD9: case 0xDA: case 0xDB: return 9;
        case 0xDC: return 7;
        case 0xDD: return 8;
        default: return kUnknownLength;
    }
}

std::vector<Reply> OrlnetModel::handle(std::span<const uint8_t> frame) {
    if (frame.size() >= 4 && frame[0] == 0xA5 && frame.back() == 0x5A && frame[1] + 3u == frame.size())
        return handleNetwork(frame);
    if (frame.size() >= 5 && (frame[0] == 0xAB || frame[0] == 0xAC) && frame[1] == 0xBC && frame[2] == 0xCD)
        return handleConfig(frame);
    return {};
}

OrlnetModule* OrlnetModel::find(uint16_t address) {
    if (address == local_.address) return &local_;
    for (auto& r : remotes_)
        if (r.address == address) return &r;
    return nullptr;
}

OrlnetModule* OrlnetModel::reach(uint16_t address) {
    if (address == local_.address) return &local_;
    for (auto& r : remotes_)
        if (r.address == address && r.channel == tunedChannel_ && r.rate == tunedRate_) return &r;
    return nullptr;
}

std::vector<Reply> OrlnetModel::handleConfig(std::span<const uint8_t> f) {
    const uint8_t command = f[3];
    if (command == 0xD7) {
        const uint8_t check = std::accumulate(f.begin() + 6, f.end() - 1, uint8_t{0},
                                              [](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a ^ b); });
        if (f.size() != 73 || f.back() != check) return {};
    } else if (!sumHolds(f, f.size())) {
        return {};
    }
    Bytes answer(f.begin(), f.begin() + 4);
    switch (command) {
        case 0xD1:
            answer.insert(answer.end(), local_.config.begin(), local_.config.end());
            return {Reply{answer, {}}};
        case 0xD2:
        case 0xD3: {
            const uint8_t value = f[4];
            const bool valid = command == 0xD2 ? value >= 11 && value <= 26 : value <= 2;
            if (valid) (command == 0xD2 ? tunedChannel_ : tunedRate_) = value;
            answer.push_back(valid ? kOk : kRefused);
            return {Reply{answer, {}}};
        }
        case 0xD4:
        case 0xDC: return searchAnswers(f);
        default: break;
    }
    if (f.size() < 7) return {};
    OrlnetModule* module = reach(wordAt(f, 4));
    return module ? handleAddressed(f, *module) : std::vector<Reply>{};
}

std::vector<Reply> OrlnetModel::searchAnswers(std::span<const uint8_t> f) {
    const bool byIdentifier = f[3] == 0xDC;
    std::vector<Reply> replies;
    for (const auto& r : remotes_) {
        if (r.channel != tunedChannel_ || r.rate != tunedRate_) continue;
        if (byIdentifier ? r.address != wordAt(f, 4) : r.routeOnly) continue;
        Bytes answer(f.begin(), f.begin() + 4);
        putWord(answer, r.word(kControlWord));
        answer.push_back(r.channel);
        answer.push_back(r.rate);
        putWord(answer, r.word(kPanId));
        putWord(answer, r.address);
        answer.push_back(r.inUpgradeMode() ? 0xFF : r.config[kType]);
        replies.push_back(Reply{answer, std::chrono::milliseconds(2)});
    }
    return replies;
}

std::vector<Reply> OrlnetModel::handleAddressed(std::span<const uint8_t> f, OrlnetModule& m) {
    Bytes answer(f.begin(), f.begin() + 6);  // header, command, target address
    auto statusAnswer = [&](uint8_t status) {
        answer.push_back(status);
        return std::vector<Reply>{Reply{answer, {}}};
    };
    // Status answers that repeat the request's word: DA, DB, D8.
    auto wordAnswer = [&](uint8_t status) {
        answer.insert(answer.end(), f.begin() + 6, f.begin() + 8);
        return statusAnswer(status);
    };
    switch (f[3]) {
        case 0xD5:
            if (f.size() == 7) {
                answer.resize(4);
                answer.insert(answer.end(), m.config.begin(), m.config.end());
            } else {
                const size_t offset = f[6], length = f[7];
                if (offset + length > kWritten) return {};
                answer.insert(answer.end(), m.config.begin() + offset, m.config.begin() + offset + length);
                answer.insert(answer.end(), m.config.begin() + kWritten, m.config.end());
            }
            return {Reply{answer, {}}};
        case 0xD6:
            if (f.size() == 86) {
                std::copy(f.begin() + 6, f.begin() + 85, m.config.begin());
            } else {
                const size_t offset = f[6], length = f[7];
                if (offset + length > kWritten || f.size() != 9 + length) return {};
                std::copy(f.begin() + 8, f.begin() + 8 + length, m.config.begin() + offset);
            }
            return statusAnswer(kOk);
        case 0xD7: {
            const uint16_t block = wordAt(f, 6);
            answer.insert(answer.end(), f.begin() + 6, f.begin() + 8);
            auto rejection = rejections_.find(block);
            if (!m.inUpgradeMode() || (rejection != rejections_.end() && rejection->second-- > 0))
                return statusAnswer(kRefused);
            m.blocks.emplace_back(block, Bytes(f.begin() + 8, f.begin() + 72));
            return statusAnswer(kOk);
        }
        case 0xD8:
            m.upgradeEnded = m.inUpgradeMode();
            return wordAnswer(m.upgradeEnded ? kOk : kRefused);
        case 0xD9:
            m.restart(wordAt(f, 6));
            if (&m == &local_) {
                tunedChannel_ = m.channel;
                tunedRate_ = m.rate;
            }
            return {};
        case 0xDA:
            std::copy(m.factory.begin(), m.factory.begin() + kWritten, m.config.begin());
            return wordAnswer(kOk);
        case 0xDB:
            m.upgradeRequested = true;
            return wordAnswer(kOk);
        case 0xDD:
            m.led = f[6];
            return statusAnswer(kOk);
        default: return {};
    }
}

std::vector<Reply> OrlnetModel::handleNetwork(std::span<const uint8_t> f) {
    const uint8_t command = f[2];
    if (command == 0xD5 && f.size() == 5) {  // LED broadcast: no answer
        local_.led = f[3];
        for (auto& r : remotes_) r.led = f[3];
        return {};
    }
    if (f.size() < 6) return {};
    const uint16_t address = wordAt(f, 3);
    if (command == 0xD2 || command == 0xD3) return {Reply{routeAnswer(command, address), {}}};
    if (command != 0xD1) return {};
    OrlnetModule* target = find(address);
    const bool delivered = deliver_ && target;
    if (delivered) target->received.emplace_back(f.begin() + 5, f.end() - 1);
    return {Reply{Bytes{0xA5, 0x01, delivered ? kOk : kSendTimedOut, 0x5A}, {}}};
}

Bytes OrlnetModel::routeAnswer(uint8_t command, uint16_t address) {
    const auto& table = routes_[command == 0xD2 ? 0 : 1];
    const auto it = table.find(address);
    uint8_t status = 0;
    if (routeFailures_ > 0) {
        --routeFailures_;
        status = routeStatus_;
    } else if (it == table.end()) {
        status = command == 0xD2 ? kLocalLookupFailed : kRemoteLookupTimedOut;
    }
    Bytes answer{0xA5, 0, status ? status : command};
    putWord(answer, address);
    if (!status) {
        const OrlnetRoute& route = it->second;
        answer.push_back(static_cast<uint8_t>(route.weakestSignal));
        putWord(answer, route.weakestNode);
        answer.push_back(static_cast<uint8_t>(route.hops.size()));
        for (uint16_t hop : route.hops) putWord(answer, hop);
    }
    answer[1] = static_cast<uint8_t>(answer.size() - 2);
    answer.push_back(0x5A);
    return answer;
}

}  // namespace sim
