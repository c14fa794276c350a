#include "cel/CCELDev.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <chrono>
#include <cstring>

#include "core/Pause.h"
#include "serial/SerialChannel.h"

namespace radlink {

using namespace cel;

namespace {

constexpr int kTimeoutHint = 1500;       // passed to the channel, which ignores it
constexpr uint32_t kReplyCapacity = 1024;
constexpr int kBlockAttempts = 3;
constexpr auto kBlockRetryPause = std::chrono::milliseconds(1000);
constexpr uint8_t kNormalFirmware = 0xAA;

using Judge = bool (*)(std::span<const uint8_t> reply, const ReplyExpect& expect);

template <bool (*Accept)(std::span<const uint8_t>)>
bool Plain(std::span<const uint8_t> reply, const ReplyExpect&) {
    return Accept(reply);
}
bool BlockAck(std::span<const uint8_t> reply, const ReplyExpect& e) {
    return AcceptUpgradeBlockAck(reply, e.address, e.position);
}

}  // namespace

struct CCELDev::OpSpec {
    Op op;
    std::chrono::milliseconds pause;  // after the write
    uint32_t capacity;                // of the one read; 0: no reply is read
    bool readsAfterFailedWrite;       // a failed write then shows as a missing reply
    Judge judge;
};

const CCELDev::OpSpec& CCELDev::Spec(Op op) {
    using ms = std::chrono::milliseconds;
    static const std::array<OpSpec, 16> kTable{{
        {Op::ReadLocalConfig, ms(100), kReplyCapacity, true, Plain<AcceptLocalConfig>},
        {Op::SetChannel, ms(100), kReplyCapacity, true, Plain<AcceptTuningAck>},
        {Op::SetRate, ms(0), kReplyCapacity, true, Plain<AcceptTuningAck>},
        {Op::Search, ms(0), kSearchAnswerLength, false, Plain<AcceptSearchAnswer>},
        {Op::ReadConfig, ms(100), kReplyCapacity, false, Plain<AcceptRemoteConfig>},
        {Op::WriteConfig, ms(0), kReplyCapacity, false, Plain<AcceptWriteAck>},
        {Op::UpgradeBlockFirstPhase, ms(1000), kReplyCapacity, true, BlockAck},
        {Op::UpgradeBlockSecondPhase, ms(10), kReplyCapacity, true, BlockAck},
        {Op::UpgradeEnd, ms(0), kReplyCapacity, false, Plain<AcceptControlAck>},
        {Op::Restart, ms(400), 0, false, nullptr},
        {Op::FactoryReset, ms(1000), kReplyCapacity, false, Plain<AcceptControlAck>},
        {Op::UpgradeBegin, ms(0), kReplyCapacity, false, Plain<AcceptControlAck>},
        {Op::IoDirAll, ms(0), kReplyCapacity, false, Plain<AcceptIoAck>},
        {Op::IoRead, ms(0), kReplyCapacity, false, Plain<AcceptIoAck>},
        {Op::IoWrite, ms(0), kReplyCapacity, false, Plain<AcceptIoAck>},
        {Op::AdRead, ms(0), kReplyCapacity, false, Plain<AcceptAdReply>},
    }};
    const OpSpec& spec = kTable[static_cast<size_t>(op)];
    assert(spec.op == op);
    return spec;
}

CCELDev::~CCELDev() = default;

// ---- the exchange

bool CCELDev::PortOpen() const { return channel_ && channel_->IsOpen(); }

bool CCELDev::Send(Op op, const Bytes& request) {
    if (!PortOpen()) return false;
    const OpSpec& spec = Spec(op);
    if (!channel_->WriteAll(request, kTimeoutHint) && !spec.readsAfterFailedWrite) return false;
    Pause(spec.pause);
    return true;
}

std::optional<Bytes> CCELDev::AwaitReply(Op op, const ReplyExpect& expect) {
    const OpSpec& spec = Spec(op);
    auto reply = channel_->ReadBlock(spec.capacity, kTimeoutHint);
    if (!reply || !spec.judge(*reply, expect)) return std::nullopt;
    return reply;
}

std::optional<Bytes> CCELDev::Exchange(Op op, const Bytes& request, const ReplyExpect& expect) {
    if (!Send(op, request)) return std::nullopt;
    if (Spec(op).capacity == 0) return Bytes{};
    return AwaitReply(op, expect);
}

bool CCELDev::CommandWithRestart(Op op, const Bytes& request, uint16_t address, uint16_t controlWord) {
    return Exchange(op, request) && Restart(address, controlWord);
}

// ---- tuning and restart

bool CCELDev::SetChannel(uint8_t channel) {
    const uint8_t p[1] = {channel};
    return Exchange(Op::SetChannel, ShortFrame(kSetChannel, p)).has_value();
}

bool CCELDev::SetRate(uint8_t rate) {
    const uint8_t p[1] = {rate};
    return Exchange(Op::SetRate, ShortFrame(kSetRate, p)).has_value();
}

bool CCELDev::Restart(uint16_t address, uint16_t controlWord) {
    return Exchange(Op::Restart, ControlFrame(kRestart, address, controlWord)).has_value();
}

void CCELDev::SwitchToRemote(int index) {
    const SearchKey& key = entries_[index].key_;
    SetChannel(key.channel);
    SetRate(key.rate);
}

void CCELDev::RestoreLocal() {
    SetChannel(current_.channel);
    SetRate(current_.airRate);
}

bool CCELDev::KnowsOwnTuning() { return loaded_ || LoadLocal(); }

template <typename F>
auto CCELDev::OnTarget(int target, F&& operation) {
    if (target == kLocal) return operation();
    if (!KnowsOwnTuning()) return decltype(operation()){};
    SwitchToRemote(target);
    auto result = operation();
    RestoreLocal();
    return result;
}

uint16_t CCELDev::TargetAddress(int target) const {
    if (target == kLocal) return current_.netAddress;
    const CCELDev& entry = entries_[target];
    return entry.loaded_ ? entry.current_.netAddress : entry.key_.address;
}

uint16_t CCELDev::ControlWordOf() const { return loaded_ ? current_.controlWord : key_.word; }

// ---- records

void CCELDev::TakeConfig(std::span<const uint8_t> reply) {
    current_ = DecodeConfigReply(reply);
    if (const VariantSpec* v = VariantForReplyLength(reply.size())) variant_ = v;
    edit_ = current_;
    loaded_ = true;
}

bool CCELDev::LoadLocal() {
    const auto reply = Exchange(Op::ReadLocalConfig, ShortFrame(kReadLocalConfig));
    if (!reply) return false;  // a rejected reply changes neither record
    TakeConfig(*reply);
    return true;
}

bool CCELDev::SubmitLocal() {
    if (!loaded_ || !variant_) return false;
    const Bytes request = AddressedFrame(kWriteConfig, current_.netAddress, EncodeConfigArea(edit_, *variant_));
    if (!CommandWithRestart(Op::WriteConfig, request, current_.netAddress, current_.controlWord)) return false;
    std::memcpy(&current_, &edit_, kConfigAreaSize);
    return true;
}

bool CCELDev::RestartLocal() { return Restart(current_.netAddress, current_.controlWord); }

bool CCELDev::FactoryResetLocal() {
    const Bytes request = ControlFrame(kFactoryReset, current_.netAddress, current_.controlWord);
    if (!CommandWithRestart(Op::FactoryReset, request, current_.netAddress, current_.controlWord)) return false;
    loaded_ = false;  // the module's record must be read again
    return true;
}

// ---- search list

bool CCELDev::HandAdd(const SearchKey& key) {
    if (entries_.Any([&](const CCELDev& e) { return e.key_ == key; })) return true;
    auto entry = std::make_unique<CCELDev>();
    entry->key_ = key;
    entries_.Add(std::move(entry));
    return false;
}

void CCELDev::Delete(int index) { entries_.Erase(index); }

bool CCELDev::Search(int channel, int rate) {
    if (!PortOpen() || !KnowsOwnTuning()) return false;
    bool added = false;
    if (SetChannel(static_cast<uint8_t>(channel)) && SetRate(static_cast<uint8_t>(rate)) &&
        Send(Op::Search, ShortFrame(kSearch))) {
        // Answers come one per module; the second read without one ends the search.
        for (int failures = 0; failures < 2;) {
            const auto answer = AwaitReply(Op::Search, {});
            if (!answer)
                ++failures;
            else if (!HandAdd(ParseSearchAnswer(*answer)))
                added = true;
        }
    }
    RestoreLocal();  // also when tuning failed half-way: never leave the local module on a foreign channel
    return added;
}

// ---- remote modules

bool CCELDev::LoadRemote(int index) {
    CCELDev& entry = entries_[index];
    return OnTarget(index, [&] {
        const auto reply = Exchange(Op::ReadConfig, AddressedFrame(kReadConfig, entry.key_.address));
        if (reply) entry.TakeConfig(*reply);
        return reply.has_value();
    });
}

bool CCELDev::SubmitRemote(int index) {
    CCELDev& entry = entries_[index];
    if (!entry.variant_) return false;  // never loaded from a known reply: the area's length is unknown
    return OnTarget(index, [&] {
        const uint16_t address = entry.key_.address;
        const Bytes request = AddressedFrame(kWriteConfig, address, EncodeConfigArea(entry.edit_, *entry.variant_));
        if (!CommandWithRestart(Op::WriteConfig, request, address, entry.current_.controlWord)) return false;
        std::memcpy(&entry.current_, &entry.edit_, kConfigAreaSize);
        const CelRecord& r = entry.current_;
        entry.key_.channel = r.channel;
        entry.key_.panId = r.panId;
        entry.key_.rate = r.airRate;
        entry.key_.state = r.deviceType;
        entry.key_.address = r.netAddress;
        return true;
    });
}

bool CCELDev::RestartRemote(int index) {
    const CCELDev& entry = entries_[index];
    return OnTarget(index, [&] { return Restart(TargetAddress(index), entry.ControlWordOf()); });
}

bool CCELDev::FactoryResetRemote(int index) {
    const CCELDev& entry = entries_[index];
    return OnTarget(index, [&] {
        const Bytes request = ControlFrame(kFactoryReset, entry.key_.address, entry.ControlWordOf());
        return Exchange(Op::FactoryReset, request) && Restart(TargetAddress(index), entry.key_.word);
    });
}

// ---- IO and AD

bool CCELDev::SetIoDirection(int target, bool allOutputs) {
    return OnTarget(target, [&] {
        const uint8_t direction[1] = {static_cast<uint8_t>(allOutputs ? 0xFF : 0x00)};
        return Exchange(Op::IoDirAll, IoFrame(kIoDirAll, TargetAddress(target), direction)).has_value();
    });
}

std::optional<uint8_t> CCELDev::ReadIoPort(int target) {
    return OnTarget(target, [&]() -> std::optional<uint8_t> {
        const auto reply = Exchange(Op::IoRead, IoFrame(kIoRead, TargetAddress(target)));
        if (!reply) return std::nullopt;
        return (*reply)[6];
    });
}

bool CCELDev::WriteIoLine(int target, int bit, bool high) {
    return OnTarget(target, [&] {
        const uint16_t address = TargetAddress(target);
        const auto reply = Exchange(Op::IoRead, IoFrame(kIoRead, address));
        if (!reply) return false;
        const auto mask = static_cast<uint8_t>(bit >= 0 && bit < 8 ? 1u << bit : 0u);
        const uint8_t port[1] = {static_cast<uint8_t>(high ? (*reply)[6] | mask : (*reply)[6] & ~mask)};
        return Exchange(Op::IoWrite, IoFrame(kIoWrite, address, port)).has_value();
    });
}

std::optional<uint8_t> CCELDev::ReadAd(int target, uint8_t channel) {
    return OnTarget(target, [&]() -> std::optional<uint8_t> {
        const uint8_t p[1] = {channel};
        const auto reply = Exchange(Op::AdRead, IoFrame(kAdRead, TargetAddress(target), p));
        if (!reply) return std::nullopt;
        return (*reply)[7];
    });
}

// ---- firmware upgrade

bool CCELDev::SendUpgradeBlock(Op op, uint16_t address, const ImageBlock& block) {
    const Bytes request = UpgradeBlockFrame(address, block.position, block.data);
    for (int attempt = 0; attempt < kBlockAttempts; ++attempt) {
        if (attempt > 0) Pause(kBlockRetryPause);
        if (Exchange(op, request, ReplyExpect{address, block.position})) return true;
    }
    return false;
}

bool CCELDev::EndUpgrade(uint16_t address, uint16_t controlWord) {
    return CommandWithRestart(Op::UpgradeEnd, ControlFrame(kUpgradeEnd, address, controlWord), address,
                              controlWord);
}

bool CCELDev::Upgrade(int target, const CelImage& image, uint8_t runState, uint16_t address, uint16_t controlWord) {
    if (!PortOpen()) return false;
    return OnTarget(target, [&] {
        if (runState == kNormalFirmware &&
            !CommandWithRestart(Op::UpgradeBegin, ControlFrame(kUpgradeBegin, address, controlWord), address,
                                controlWord))
            return false;
        constexpr Op kPhaseOps[2] = {Op::UpgradeBlockFirstPhase, Op::UpgradeBlockSecondPhase};
        for (int phase = 0; phase < 2; ++phase) {
            for (const ImageBlock& block : image.Blocks(phase)) {
                if (!SendUpgradeBlock(kPhaseOps[phase], address, block)) {
                    EndUpgrade(address, controlWord);  // abandoned: the boot loader still gets its end and restart
                    return false;
                }
            }
        }
        return EndUpgrade(address, controlWord);
    });
}

}  // namespace radlink
