// The exchange routine, tuning, and the configuration of the local and the remote modules.
#include "orlnet/COrlnetDev.h"

#include <chrono>

#include "core/Bytes.h"
#include "core/Pause.h"
#include "serial/SerialChannel.h"

namespace radlink {

using namespace orlnet;

namespace {

// The search-key fields a configuration write changes, by the record byte each is taken from.
void RefreshKey(SearchKey& key, const OrlnetConfig& written, size_t from, size_t to) {
    auto covers = [&](size_t offset) { return from <= offset && offset < to; };
    if (covers(offsetof(OrlnetConfig, channel))) key.channel = written.channel;
    if (covers(offsetof(OrlnetConfig, panId))) key.panId = written.panId;
    if (covers(offsetof(OrlnetConfig, netAddress))) key.address = written.netAddress;
    if (covers(offsetof(OrlnetConfig, airRate))) key.rate = written.airRate;
    if (covers(offsetof(OrlnetConfig, deviceType))) key.state = written.deviceType;
}

}  // namespace

COrlnetDev::COrlnetDev(SerialChannel* channel) : channel_(channel) {}

COrlnetDev::COrlnetDev(const SearchKey& key, bool viaRoute) : key_(key), viaRoute_(viaRoute) {}

COrlnetDev::~COrlnetDev() = default;

bool COrlnetDev::IsOpen() const { return channel_ && channel_->IsOpen(); }

void COrlnetDev::TakeRecord(const OrlnetConfig& record) {
    record_ = record;
    editRecord_ = record;
    loaded_ = true;
}

// ---- Exchange ---------------------------------------------------------------------------------------------

bool COrlnetDev::Send(const Bytes& frame) {
    if (!IsOpen()) return false;
    return channel_->WriteAll(frame, 1500);
}

Bytes COrlnetDev::Receive(uint32_t capacity) {
    return channel_->ReadBlock(capacity, 1500).value_or(Bytes{});
}

std::optional<Bytes> COrlnetDev::Exchange(Op op, Target target, std::span<const uint8_t> payload,
                                          size_t expectLength) {
    const CommandRule& rule = Rule(op);
    const Bytes frame = BuildFrame(op, target, payload);
    for (int send = 0; send < rule.sends; ++send) {
        if (send > 0) Pause(std::chrono::milliseconds(rule.resendPauseMs));
        if (!Send(frame)) return std::nullopt;
        Pause(std::chrono::milliseconds(rule.pauseMs));
        if (rule.capacity == 0) return Bytes{};
        for (int read = 0; read < rule.reads; ++read) {
            Bytes answer = Receive(rule.capacity);
            if (Accepts(rule, frame, answer, expectLength)) return answer;
        }
    }
    return std::nullopt;
}

// ---- Tuning and restart -----------------------------------------------------------------------------------

bool COrlnetDev::SetLocalChannel(uint8_t channel) {
    const uint8_t payload[] = {channel};
    return Exchange(Op::SetChannel, {}, payload).has_value();
}

bool COrlnetDev::SetLocalRate(uint8_t rate) {
    const uint8_t payload[] = {rate};
    return Exchange(Op::SetRate, {}, payload).has_value();
}

void COrlnetDev::TuneTo(int index) {
    const SearchKey& key = searchList_[index].key_;
    SetLocalChannel(key.channel);
    SetLocalRate(key.rate);
}

void COrlnetDev::TuneBack() {
    SetLocalChannel(record_.channel);
    SetLocalRate(record_.airRate);
}

bool COrlnetDev::Restart(uint16_t address, uint16_t code, bool viaRoute, int index) {
    if (index != -1) TuneTo(index);
    const bool sent = Exchange(Op::Restart, {address, viaRoute}, BigEndian16Bytes(code)).has_value();
    if (index != -1) TuneBack();
    return sent;
}

// ---- Local module -----------------------------------------------------------------------------------------

bool COrlnetDev::LoadInfo() {
    const auto answer = Exchange(Op::ReadLocal, {});
    if (!answer) return false;
    const std::span<const uint8_t> bytes(*answer);
    TakeRecord(FromAnswer(bytes.subspan<4, kWrittenSize>(), bytes.last<kTailSize>()));
    return true;
}

bool COrlnetDev::SubmitInfo() {
    const WireImage wire = ToWire(editRecord_);
    const Target self{record_.netAddress, false};
    if (!Exchange(Op::WriteLocal, self, std::span(wire).first<kWrittenSize>())) return false;
    if (!Restart(self.address, record_.controlWord, false)) return false;
    CopyWritten(record_, editRecord_);
    return true;
}

bool COrlnetDev::ResetDev() { return Restart(record_.netAddress, record_.controlWord, false); }

bool COrlnetDev::ResetToDefault() {
    if (!Exchange(Op::FactoryReset, {record_.netAddress, false}, BigEndian16Bytes(record_.controlWord))) return false;
    if (!Restart(record_.netAddress, record_.controlWord, false)) return false;
    loaded_ = false;
    return true;
}

// ---- Remote modules ---------------------------------------------------------------------------------------

bool COrlnetDev::LoadRemote(int index) {
    return OnRemote(index, [&](COrlnetDev& entry) {
        const auto answer = Exchange(Op::ReadWhole, entry.RemoteTarget());
        if (!answer) return false;
        // The 92-byte form carries six more bytes ahead of the record.
        const std::span<const uint8_t> bytes(*answer);
        const size_t start = bytes.size() == 92 ? 10 : 4;
        entry.TakeRecord(FromAnswer(bytes.subspan(start).first<kWrittenSize>(), bytes.last<kTailSize>()));
        return true;
    });
}

bool COrlnetDev::LoadRemotePart(int index, int offset, int length) {
    return OnRemote(index, [&](COrlnetDev& entry) {
        const uint8_t payload[] = {static_cast<uint8_t>(offset), static_cast<uint8_t>(length)};
        const size_t size = static_cast<size_t>(length);
        const auto answer = Exchange(Op::ReadPart, entry.RemoteTarget(), payload, size + 11);
        if (!answer) return false;
        const std::span<const uint8_t> bytes(*answer);
        entry.TakeRecord(WithSpan(entry.record_, static_cast<size_t>(offset), bytes.subspan(6, size),
                                  bytes.last<kTailSize>()));
        return true;
    });
}

bool COrlnetDev::SubmitRemote(int index) { return SubmitRemoteSpan(index, std::nullopt); }

bool COrlnetDev::SubmitRemotePart(int index, int offset, int length) {
    return SubmitRemoteSpan(index, std::pair{offset, length});
}

bool COrlnetDev::SubmitRemoteSpan(int index, std::optional<std::pair<int, int>> span) {
    return OnRemote(index, [&](COrlnetDev& entry) {
        const WireImage wire = ToWire(entry.editRecord_);
        size_t from = 0, to = kWrittenSize;
        Bytes payload;
        if (span) {
            from = static_cast<size_t>(span->first);
            to = from + static_cast<size_t>(span->second);
            payload = {static_cast<uint8_t>(span->first), static_cast<uint8_t>(span->second)};
        }
        payload.insert(payload.end(), wire.begin() + static_cast<std::ptrdiff_t>(from),
                       wire.begin() + static_cast<std::ptrdiff_t>(to));
        if (!Exchange(Op::WriteRemote, entry.RemoteTarget(), payload)) return false;
        if (!Restart(entry.key_.address, entry.record_.controlWord, false)) return false;
        RefreshKey(entry.key_, entry.editRecord_, from, to);
        CopyWritten(entry.record_, entry.editRecord_);
        return true;
    });
}

bool COrlnetDev::ResetRemote(int index) {
    const COrlnetDev& entry = searchList_[index];
    return Restart(entry.record_.netAddress, entry.record_.controlWord, entry.viaRoute_, index);
}

bool COrlnetDev::ResetRemoteToDefault(int index) {
    return OnRemote(index, [&](COrlnetDev& entry) {
        return Exchange(Op::FactoryReset, {entry.key_.address, false}, BigEndian16Bytes(entry.record_.controlWord)) &&
               Restart(entry.record_.netAddress, entry.key_.word, false);
    });
}

}  // namespace radlink
