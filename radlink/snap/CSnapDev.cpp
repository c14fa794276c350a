#include "snap/CSnapDev.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string_view>

#include "core/ListenDeadline.h"
#include "core/Pause.h"
#include "serial/SerialChannel.h"

namespace radlink {

using namespace snap;

namespace {

constexpr int kTimeoutHint = 1500;  // passed to the channel, which ignores it
constexpr auto kLocalRestartPause = std::chrono::milliseconds(400);
constexpr auto kRemoteRestartPause = std::chrono::milliseconds(300);
constexpr size_t kPasswordWireSize = 9;
constexpr int kSearchFailuresBeforeAnswer = 2;
constexpr int kSearchFailuresAfterAnswer = 1;

bool IsLocal(const Address& to) { return to == kLocalAddress; }

}  // namespace

CSnapDev::CSnapDev(SerialChannel* channel) : channel_(channel) {}

CSnapDev::~CSnapDev() = default;

bool CSnapDev::PortOpen() const { return channel_ && channel_->IsOpen(); }

bool CSnapDev::Send(const Bytes& frame) {
    return channel_->WriteAll(frame, kTimeoutHint);
}

bool CSnapDev::ReadExactly(std::span<uint8_t> out) {
    uint32_t got = 0;
    return channel_->Read(out.data(), static_cast<uint32_t>(out.size()), &got, kTimeoutHint) != 0 &&
           got == out.size();
}

std::optional<Bytes> CSnapDev::Exchange(const Address& to, Command command, std::span<const uint8_t> data) {
    const RegisterUse& use = FindRegisterUse(command, IsLocal(to) ? Side::Local : Side::Remote);
    const Bytes request = CommandFrame(use, to, data);
    if (!Send(request) && !use.readEvenIfUnsent) return std::nullopt;
    if (use.rule.length == ReplyRule::Length::NotRead) return Bytes{};
    const auto reply = channel_->ReadBlock(kReadCapacity, kTimeoutHint);
    if (!reply) return std::nullopt;
    return JudgeReply(use.rule, request, *reply);
}

template <typename R, typename Op>
R CSnapDev::OnTarget(SnapTarget target, R failed, Op&& op) {
    if (!PortOpen()) return failed;
    if (!target.remote) return op(kLocalAddress, *this);
    CSnapDev* entry = Entry(target.index);
    if (!entry || !KnowsOwnChannel()) return failed;
    SwitchToRemote(*entry);
    R result = op(AddressOf(entry->current_), *entry);
    RestoreLocal();
    return result;
}

// Tuning away needs the way back: the local module's own channel and rate come from its record, which is read
// first when it has not been.
bool CSnapDev::KnowsOwnChannel() { return loaded_ || LoadInfo() != 0; }

void CSnapDev::Tune(uint8_t channel, uint8_t rate) {
    Exchange(kLocalAddress, Command::WriteChannel, std::span<const uint8_t>(&channel, 1));
    Exchange(kLocalAddress, Command::WriteRate, std::span<const uint8_t>(&rate, 1));
}

int CSnapDev::RestartAt(const Address& to) {
    if (!Exchange(to, Command::Restart)) return 0;
    Pause(IsLocal(to) ? kLocalRestartPause : kRemoteRestartPause);
    return 1;
}

void CSnapDev::TakeRecord(const Bytes& wire) {
    current_ = RecordFromWire(std::span<const uint8_t, kRecordSize>(wire.data(), kRecordSize));
    edit_ = current_;
    loaded_ = true;
}

int CSnapDev::LoadInfo() {
    if (!PortOpen()) return 0;
    auto wire = Exchange(kLocalAddress, Command::ReadConfig);
    if (!wire) return 0;
    TakeRecord(*wire);
    return 1;
}

int CSnapDev::SubmitRecord(const Address& to, CSnapDev& module) {
    const auto wire = RecordToWire(module.edit_);
    if (!Exchange(to, Command::WriteConfig, wire)) return 0;
    module.current_ = module.edit_;
    return RestartAt(to);
}

int CSnapDev::SubmitInfo() {
    return OnTarget(SnapTarget::Local(), 0, [this](const Address& to, CSnapDev& m) { return SubmitRecord(to, m); });
}

int CSnapDev::LoadRemote(int index) {
    return OnTarget(SnapTarget::Remote(index), 0, [this](const Address& to, CSnapDev& entry) {
        auto wire = Exchange(to, Command::ReadConfig);
        if (!wire) return 0;
        entry.TakeRecord(*wire);
        return 1;
    });
}

// An entry never loaded holds only its search key: sending that edit record would overwrite the module's whole
// configuration with zeros, so it is refused.
int CSnapDev::SubmitRemote(int index) {
    const CSnapDev* entry = Entry(index);
    if (!entry || !entry->loaded_) return 0;
    return OnTarget(SnapTarget::Remote(index), 0,
                    [this](const Address& to, CSnapDev& m) { return SubmitRecord(to, m); });
}

std::optional<Bytes> CSnapDev::ReadValue(SnapTarget target, Command command, std::span<const uint8_t> data) {
    return OnTarget(target, std::optional<Bytes>{},
                    [&](const Address& to, CSnapDev&) { return Exchange(to, command, data); });
}

int CSnapDev::Write(SnapTarget target, Command command, std::span<const uint8_t> data) {
    return OnTarget(target, 0, [&](const Address& to, CSnapDev&) { return Exchange(to, command, data) ? 1 : 0; });
}

int CSnapDev::Restart(SnapTarget target) {
    if (!PortOpen()) return 0;
    if (!target.remote) return RestartAt(kLocalAddress);
    const CSnapDev* entry = Entry(target.index);
    return entry ? RestartAt(AddressOf(entry->current_)) : 0;
}

int CSnapDev::FactoryDefaults(SnapTarget target) {
    return OnTarget(target, 0, [this](const Address& to, CSnapDev&) {
        return Exchange(to, Command::FactoryDefaults) ? RestartAt(to) : 0;
    });
}

int CSnapDev::WriteEeprom(SnapTarget target, uint8_t address, std::span<const uint8_t> data) {
    if (data.size() > kMaxEepromWrite) return 0;
    return OnTarget(target, 0, [&](const Address& to, CSnapDev&) {
        Bytes payload{address};  // the caller's bytes are read only for a write that goes out
        payload.insert(payload.end(), data.begin(), data.end());
        return Exchange(to, Command::WriteEeprom, payload) ? RestartAt(kLocalAddress) : 0;
    });
}

void CSnapDev::StoreText(char (&field)[kPasswordTextSize], std::span<const uint8_t> bytes) {
    const size_t n = std::min(bytes.size(), kPasswordTextSize - 1);
    std::memset(field, 0, kPasswordTextSize);
    std::memcpy(field, bytes.data(), n);
}

std::optional<Bytes> CSnapDev::FetchPassword(const Address& to, CSnapDev& module) {
    auto bytes = Exchange(to, Command::ReadPassword);
    if (bytes) StoreText(module.password_, *bytes);
    return bytes;
}

int CSnapDev::ReadPassword(SnapTarget target, char* out) {
    return OnTarget(target, 0, [&](const Address& to, CSnapDev& m) {
        auto bytes = FetchPassword(to, m);
        if (!bytes) return 0;
        std::memcpy(out, bytes->data(), bytes->size());
        return 1;
    });
}

int CSnapDev::ChangePassword(SnapTarget target, const char* oldText, const char* newText) {
    if (!oldText || !newText) return 0;
    const size_t newLength = strnlen(newText, kPasswordWireSize + 1);
    if (newLength > kPasswordWireSize) return 0;
    return OnTarget(target, 0, [&](const Address& to, CSnapDev& m) {
        auto bytes = FetchPassword(to, m);
        if (!bytes) return 0;
        const auto* text = reinterpret_cast<const char*>(bytes->data());
        if (std::string_view(text, strnlen(text, bytes->size())) != std::string_view(oldText)) return 0;
        std::array<uint8_t, kPasswordWireSize> wire{};
        std::memcpy(wire.data(), newText, newLength);
        if (!Exchange(to, Command::WritePassword, wire)) return 0;
        StoreText(m.password_, wire);
        return 1;
    });
}

int CSnapDev::Search(int channel, int rate) {
    if (!PortOpen() || !KnowsOwnChannel()) return 0;
    const auto searchedRate = static_cast<uint8_t>(rate);
    Tune(static_cast<uint8_t>(channel), searchedRate);
    if (!Send(RequestFrame(kBroadcastAddress, kRead, FindRegisterUse(Command::ReadConfig, Side::Remote).reg))) {
        RestoreLocal();
        return 0;
    }
    // Answers follow each other; the read that finds none after an answer ends the search.
    int failuresLeft = kSearchFailuresBeforeAnswer;
    ListenDeadline deadline(kSearchFailuresBeforeAnswer,
                            std::chrono::milliseconds(channel_->timeouts().readTotalConstant));
    while (failuresLeft > 0 && !deadline.Passed()) {
        std::array<uint8_t, kSearchLeadSize> lead;
        if (!ReadExactly(lead)) {
            --failuresLeft;
            continue;
        }
        if (!IsSearchLead(lead)) continue;
        std::array<uint8_t, kSearchBodySize> body;
        if (!ReadExactly(body)) {
            --failuresLeft;
            continue;
        }
        if (TakeSearchAnswer(body, searchedRate)) deadline.GiveBack();
        failuresLeft = kSearchFailuresAfterAnswer;
    }
    RestoreLocal();
    return 1;
}

bool CSnapDev::TakeSearchAnswer(std::span<const uint8_t, kSearchBodySize> body, uint8_t rate) {
    const SnapRecord found = RecordFromSearchAnswer(body, rate);
    if (searchList_.Any([&](const CSnapDev& entry) { return SameIdentity(entry.current_, found); })) return false;
    auto entry = std::make_unique<CSnapDev>();
    entry->current_ = found;
    entry->edit_ = found;
    searchList_.Add(std::move(entry));
    return true;
}

}  // namespace radlink
