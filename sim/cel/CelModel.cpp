#include "cel/CelModel.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace sim {

namespace {

using namespace celfield;

constexpr uint8_t kConfigLead[3] = {0xAB, 0xBC, 0xCD};
constexpr uint8_t kIoLead[3] = {0xDE, 0xDF, 0xEF};
constexpr auto kBetweenSearchAnswers = std::chrono::milliseconds(10);

// Configuration-frame commands, and the IO-frame commands that reuse some of the codes.
enum : uint8_t {
    kReadLocal = 0xD1, kSetChannel = 0xD2, kSetRate = 0xD3, kSearch = 0xD4, kReadConfig = 0xD5,
    kWriteConfig = 0xD6, kUpgradeBlock = 0xD7, kUpgradeEnd = 0xD8, kRestart = 0xD9, kFactoryReset = 0xDA,
    kUpgradeBegin = 0xDB,  // also the sleep-time terminal parameter (8-byte frame)
    kOnlineTime = 0xDC, kPollingTime = 0xDD, kSecurity = 0xDE, kPasswordFrame = 0xDF,
};
enum : uint8_t { kIoDirAll = 0xD4, kIoRead = 0xD5, kIoWrite = 0xD6, kAdRead = 0xD7 };

uint8_t Sum(std::span<const uint8_t> b) { return static_cast<uint8_t>(std::accumulate(b.begin(), b.end(), 0u)); }
bool SumOk(std::span<const uint8_t> f) { return !f.empty() && f.back() == Sum(f.first(f.size() - 1)); }
uint16_t WordAt(std::span<const uint8_t> f, size_t i) { return static_cast<uint16_t>(f[i] << 8 | f[i + 1]); }
void PutWord(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
}

bool LeadIs(std::span<const uint8_t> p, const uint8_t (&lead)[3]) {
    for (size_t i = 0; i < std::min<size_t>(3, p.size()); ++i)
        if (p[i] != lead[i]) return false;
    return true;
}

std::vector<Reply> Answer(Bytes bytes) { return {Reply{std::move(bytes), {}}}; }

// Acknowledgement: lead, command, the request's address, then `rest`.
std::vector<Reply> Ack(uint8_t command, std::span<const uint8_t> request, std::initializer_list<uint8_t> rest) {
    Bytes b{0xAB, 0xBC, 0xCD, command, request[4], request[5]};
    b.insert(b.end(), rest);
    return Answer(std::move(b));
}

std::string PaddedText(std::span<const uint8_t> bytes) {
    std::string s;
    for (uint8_t b : bytes) {
        if (b == 0) break;
        s.push_back(static_cast<char>(b));
    }
    return s;
}

}  // namespace

CelModel::CelModel(const CelModelOptions& options) : options_(options) {
    if (options.recordLength != 85 && options.recordLength != 80 && options.recordLength != 79 &&
        options.recordLength != 74)
        throw std::invalid_argument("CEL record length must be 85, 80, 79 or 74 bytes, not " +
                                    std::to_string(options.recordLength));
    if (options.password.size() > kTextWidth)
        throw std::invalid_argument("CEL password must have at most 16 bytes");
    if (options.remotes > 200) throw std::invalid_argument("at most 200 remote CEL modules");
    const std::string name = options.controlWord == 1   ? "QuickMesh-Local"
                             : options.controlWord == 2 ? "VNET-Local"
                                                        : "CEL-Local";
    local_ = makeModule(name, 1, 15, 0, 0x0010, 0x01);
    tunedChannel_ = local_.liveChannel();
    tunedRate_ = local_.liveRate();
    protection = options.controlWord == 2;
    for (size_t i = 0; i < options.remotes; ++i) remotes_.push_back(makeRemote(i));
}

CelModule CelModel::makeModule(const std::string& name, uint8_t deviceType, uint8_t channel, uint8_t rate,
                               uint16_t address, uint8_t macLast) const {
    CelModule m;
    m.area.assign(kFullArea, 0);
    m.setText(kDeviceName, name);
    m.setText(kPassword, options_.password);
    m.setByte(kDeviceType, deviceType);
    m.setByte(kChannel, channel);
    m.setWord(kPanId, 0x1A2B);
    m.setWord(kNetAddress, address);
    const uint8_t mac[8] = {0x00, 0x12, 0x4B, 0x00, 0x0A, 0x0B, 0x0C, macLast};
    std::copy(mac, mac + 8, m.area.begin() + kMacAddress);
    m.setWord(kDstNetAddress, 0x0000);
    std::copy(mac, mac + 7, m.area.begin() + kDstMacAddress);
    m.setByte(kAirRate, rate);
    m.setByte(kTxPower, 0x02);
    m.setByte(kRetryCount, 3);
    m.setByte(kRetryInterval, 5);
    m.setByte(kBaudIndex, 7);  // 115200
    m.setByte(kDataBits, 8);
    m.setByte(kStopBits, 1);
    m.setByte(kParity, 0);
    m.setByte(kSendMode, 0);
    m.setWord(kSleepTime, 1000);
    m.setWord(kReceiveDelay, 50);
    m.setWord(kForwardDelay, 20);
    m.setByte(kSampleRate, 8);
    m.setByte(kCompression, 0);
    m.setByte(kVoiceMode, 0);
    m.setByte(kOutputVolume, 10);
    m.setByte(kMicVolume, 12);
    m.factoryArea = m.area;
    m.area.resize(options_.recordLength - 9);
    m.controlWord = options_.controlWord;
    m.live = m.factoryArea;
    for (size_t i = 0; i < m.analog.size(); ++i) m.analog[i] = static_cast<uint8_t>(0x10 * (i + 1) + macLast);
    return m;
}

CelModule CelModel::makeRemote(size_t i) const {
    // 3 is prime to 16: the first 16 take every channel once; the rate cycle makes 48 distinct pairs.
    const auto channel = static_cast<uint8_t>(11 + (1 + 3 * i) % 16);
    const auto rate = static_cast<uint8_t>((i + i / 16) % 3);
    return makeModule("Remote-" + std::to_string(i + 1), 0, channel, rate, static_cast<uint16_t>(0x0101 + i),
                      static_cast<uint8_t>(0x10 + i));
}

CelModule& CelModel::addRemote(CelModule module) {
    module.live = module.area;
    module.live.resize(std::max(module.live.size(), kFullArea), 0);
    remotes_.push_back(std::move(module));
    return remotes_.back();
}

std::string CelModel::describe() const {
    const char* line = options_.controlWord == 1 ? " (Quickmesh)" : options_.controlWord == 2 ? " (VNET)" : "";
    char text[200];
    std::snprintf(text, sizeof text,
                  "CEL module, control word %u%s, %zu-byte record, address 0x%04X on channel %u rate %u; "
                  "%zu remote module(s)",
                  options_.controlWord, line, local_.recordLength(), local_.netAddress(), local_.channel(),
                  local_.airRate(), remotes_.size());
    return text;
}

bool CelModel::hears(const CelModule& remote) const {
    return remote.liveChannel() == tunedChannel_ && remote.liveRate() == tunedRate_;
}

const CelModule* CelModel::target(uint16_t address) const {
    if (address == local_.liveAddress()) return &local_;
    for (const CelModule& r : remotes_)
        if (r.liveAddress() == address && hears(r)) return &r;
    return nullptr;
}

CelModule* CelModel::target(uint16_t address) {
    return const_cast<CelModule*>(static_cast<const CelModel&>(*this).target(address));
}

size_t CelModel::frameLength(std::span<const uint8_t> p) const {
    if (p.empty()) return 0;
    const bool config = LeadIs(p, kConfigLead), io = LeadIs(p, kIoLead);
    if (!config && !io) return kUnknownLength;
    if (p.size() < 4) return 0;
    const uint8_t command = p[3];
    if (io) {
        switch (command) {
            case kIoRead: return 6;
            case kIoDirAll: case kIoWrite: case kAdRead: return 7;
            default: return kUnknownLength;
        }
    }
    switch (command) {
        case kReadLocal: case kSearch: return 5;
        case kSetChannel: case kSetRate: return 6;
        case kReadConfig: case kSecurity: return 7;
        case kOnlineTime: case kPollingTime: return 8;
        case kUpgradeEnd: case kRestart: case kFactoryReset: return 9;
        case kPasswordFrame: return 21;
        case kUpgradeBlock: return 73;
        case kWriteConfig: {
            if (p.size() < 6) return 0;
            const CelModule* m = target(WordAt(p, 4));
            return m ? m->area.size() + 7 : kUnknownLength;
        }
        case kUpgradeBegin:
            // 9 bytes (UPGRADE_BEGIN) or 8 (sleep-time parameter): the check byte tells; an 8-byte frame with a
            // good check and nothing behind it is ended by the quiet gap.
            if (p.size() >= 9 && SumOk(p.first(9))) return 9;
            if (p.size() >= 8 && SumOk(p.first(8))) return p.size() > 8 ? 8 : 0;
            return p.size() >= 9 ? 9 : 0;
        default: return kUnknownLength;
    }
}

std::vector<Reply> CelModel::handle(std::span<const uint8_t> f) {
    if (f.size() < 4) return {};
    if (LeadIs(f, kConfigLead)) return handleConfig(f);
    if (LeadIs(f, kIoLead)) return handleIo(f);
    return {};
}

std::vector<Reply> CelModel::handleConfig(std::span<const uint8_t> f) {
    const uint8_t command = f[3];
    if (command != kUpgradeBlock && !SumOk(f)) return {};
    switch (command) {
        case kReadLocal: return f.size() == 5 ? Answer(local_.configReply(kReadLocal)) : std::vector<Reply>{};
        case kSetChannel:
        case kSetRate: {
            if (f.size() != 6) return {};
            const uint8_t v = f[4];
            const bool ok = command == kSetChannel ? v >= 11 && v <= 26 : v <= 2;
            if (ok) (command == kSetChannel ? tunedChannel_ : tunedRate_) = v;
            return Answer({0xAB, 0xBC, 0xCD, command, static_cast<uint8_t>(ok ? 0 : 1)});
        }
        case kSearch: return f.size() == 5 ? search() : std::vector<Reply>{};
        case kOnlineTime: case kPollingTime: case kSecurity: case kPasswordFrame: return handleTerminal(f);
        case kUpgradeBegin:
            if (f.size() == 8) return handleTerminal(f);
            break;
        default: break;
    }
    if (f.size() < 7) return {};
    CelModule* m = target(WordAt(f, 4));
    return m ? handleAddressed(*m, f) : std::vector<Reply>{};
}

std::vector<Reply> CelModel::search() const {
    std::vector<Reply> answers;
    auto last = std::chrono::milliseconds(0);
    for (const CelModule& r : remotes_) {
        if (!hears(r)) continue;
        Bytes a{0xAB, 0xBC, 0xCD, kSearch};
        PutWord(a, r.controlWord);
        a.push_back(r.liveChannel());
        a.push_back(r.liveRate());
        PutWord(a, static_cast<uint16_t>(r.live[kPanId] << 8 | r.live[kPanId + 1]));
        PutWord(a, r.liveAddress());
        a.push_back(r.runState == kCelNormalFirmware ? r.live[kDeviceType] : kCelBootLoader);
        // Reply delays count from the previous block: answer at max(previous + gap, own delay).
        const auto at = std::max(last + kBetweenSearchAnswers, r.searchDelay);
        answers.push_back(Reply{std::move(a), at - last});
        last = at;
    }
    return answers;
}

std::vector<Reply> CelModel::handleAddressed(CelModule& m, std::span<const uint8_t> f) {
    const uint8_t command = f[3];
    switch (command) {
        case kReadConfig: return f.size() == 7 ? Answer(m.configReply(kReadConfig)) : std::vector<Reply>{};
        case kWriteConfig: {
            const bool ok = f.size() == m.area.size() + 7;
            if (ok) std::copy(f.begin() + 6, f.end() - 1, m.area.begin());
            return Ack(command, f, {static_cast<uint8_t>(ok ? 0 : 1)});
        }
        case kUpgradeBlock: {
            if (f.size() != 73) return {};
            uint8_t x = 0;
            for (size_t i = 6; i < 72; ++i) x ^= f[i];
            if (x != f[72]) return {};
            ++m.blockFrames;
            const uint16_t position = WordAt(f, 6);
            bool ok = m.runState == kCelBootLoader;
            if (auto it = m.rejections.find(position); ok && it != m.rejections.end() && it->second > 0) {
                --it->second;
                ok = false;
            }
            if (ok) m.blocks[position] = Bytes(f.begin() + 8, f.begin() + 72);
            return Ack(command, f, {f[6], f[7], static_cast<uint8_t>(ok ? 0 : 1)});
        }
        case kRestart:
            if (&m == &local_)
                restartLocal(WordAt(f, 6));
            else
                m.restart(WordAt(f, 6));
            return {};
        case kUpgradeBegin:
            m.blocks.clear();
            m.runStateAfterRestart = kCelBootLoader;
            return Ack(command, f, {f[6], f[7], 0});
        case kUpgradeEnd:
            m.runStateAfterRestart = kCelNormalFirmware;
            return Ack(command, f, {f[6], f[7], 0});
        case kFactoryReset:
            ++m.factoryResets;
            std::copy_n(m.factoryArea.begin(), m.area.size(), m.area.begin());
            return Ack(command, f, {f[6], f[7], 0});
        default: return {};
    }
}

void CelModel::restartLocal(uint16_t controlWord) {
    local_.restart(controlWord);
    tunedChannel_ = local_.liveChannel();
    tunedRate_ = local_.liveRate();
    unlocked_ = false;
}

std::vector<Reply> CelModel::handleIo(std::span<const uint8_t> f) {
    const uint8_t command = f[3];
    if (f.size() != (command == kIoRead ? 6u : 7u)) return {};
    CelModule* m = target(WordAt(f, 4));
    if (!m) return {};
    Bytes r(f.begin(), f.begin() + 6);
    switch (command) {
        case kIoDirAll: m->ioDirection = f[6]; r.push_back(f[6]); break;
        case kIoRead: r.push_back(m->ioPort); break;
        case kIoWrite: m->ioPort = f[6]; r.push_back(f[6]); break;
        case kAdRead:
            if (f[6] >= m->analog.size()) return {};
            r.push_back(f[6]);
            r.push_back(m->analog[f[6]]);
            break;
        default: return {};
    }
    return Answer(std::move(r));
}

std::vector<Reply> CelModel::handleTerminal(std::span<const uint8_t> f) {
    const uint8_t command = f[3];
    if (command == kSecurity && f.size() == 7) {
        uint8_t status = 0;
        if (f[4] == 0 && f[5] == 1) {
            unlocked_ = false;  // every command starts with this query: the password is asked again
        } else if (f[4] == 1 && f[5] <= 1 && (!protection || unlocked_)) {
            protection = f[5] == 1;
        } else {
            status = 1;
        }
        return Answer({0xAB, 0xBC, 0xCD, kSecurity, static_cast<uint8_t>(protection ? 1 : 0), status});
    }
    if (command == kPasswordFrame && f.size() == 21) {
        ++passwordFrames;
        unlocked_ = PaddedText(f.subspan(4, kTextWidth)) == local_.password();
        return Answer({0xAB, 0xBC, 0xCD, kPasswordFrame, static_cast<uint8_t>(unlocked_ ? 0 : 1)});
    }
    if (f.size() != 8 || (protection && !unlocked_) || f[4] > 1) return {};
    uint16_t& value = terminal[command];
    if (f[4] == 1) value = WordAt(f, 5);
    Bytes r{0xAB, 0xBC, 0xCD, command};
    PutWord(r, value);
    r.push_back(Sum(r));
    return Answer(std::move(r));
}

}  // namespace sim
