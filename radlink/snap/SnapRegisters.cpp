#include "snap/SnapRegisters.h"

namespace radlink::snap {

namespace {

using R = ReplyRule;
using C = Command;

// Remote-upgrade switch: the local module wants this key before the value byte.
constexpr uint8_t kUpdateKey[] = {0x10, 0x20, 0x30, 0x40, 0x50};
constexpr std::span<const uint8_t> kNone{};

constexpr size_t kConfigReply = kHeaderSize + 1 + kRecordSize;  // 47

constexpr RegisterUse kLocal[] = {
    {C::ReadConfig, 0x00, kRead, kNone, R::Exact(kConfigReply).Echo().Status(8).Value(9, kRecordSize), true},
    {C::WriteConfig, 0x00, kWrite, kNone, R::Exact(kConfigReply).Status(46), false},
    {C::ReadNetId, 0x01, kRead, kNone, R::MoreThan(9).Status(8).Value(9), false},
    {C::WriteNetId, 0x01, kWrite, kNone, R::RequestPlusOne(), false},
    {C::ReadDstAdr, 0x02, kRead, kNone, R::MoreThan(9).Status(8).Value(9), false},
    {C::WriteDstAdr, 0x02, kWrite, kNone, R::RequestPlusOne(), false},
    {C::ReadWorkMode, 0x03, kRead, kNone, R::MoreThan(9).Status(8).Value(9), false},
    {C::WriteWorkMode, 0x03, kWrite, kNone, R::RequestPlusOne(), false},
    {C::WriteChannel, 0x04, kWrite, kNone, R::RequestPlusOne(), false},
    {C::ReadSignal, 0x04, kWrite, kNone, R::Exact(10).Status(8).Value(9, 1), false},
    {C::ReadAnalog, 0x05, kRead, kNone, R::Exact(12).Value(10, 2), false},
    {C::WriteIoDirection, 0x05, kWrite, kNone, R::Exact(11).Status(10), false},
    {C::ReadIo, 0x06, kRead, kNone, R::Exact(11).Status(9).Value(10, 1), false},
    {C::WriteIo, 0x06, kWrite, kNone, R::Exact(11).Status(10), false},
    {C::ReadRate, 0x07, kRead, kNone, R::MoreThan(9).Status(8).Value(9), false},
    {C::WriteRate, 0x07, kWrite, kNone, R::RequestPlusOne(), false},
    {C::Restart, 0xC1, kWrite, kNone, R::NotRead(), false},
    {C::ReadEeprom, 0xC2, kRead, kNone, R::AtLeast(1).Value(0), false},
    {C::WriteEeprom, 0xC2, kWrite, kNone, R::RequestPlusOne(), false},
    {C::FactoryDefaults, 0xC3, kWrite, kNone, R::Exact(9).Status(8), false},
    {C::ReadPassword, 0xC4, kRead, kNone, R::AtLeast(9).Echo().Status(8).Value(9, 12), true},
    {C::WritePassword, 0xC4, kWrite, kNone, R::Exact(18).Status(17), false},
    {C::WriteUpdateEnable, 0xF0, kWrite, kUpdateKey, R::Exact(15).Status(14), false},
};

constexpr RegisterUse kRemote[] = {
    {C::ReadConfig, 0x00, kRead, kNone, R::Exact(kConfigReply).Status(8).Value(9, kRecordSize), true},
    {C::WriteConfig, 0x00, kWrite, kNone, R::Exact(kConfigReply).Status(46), true},
    // Remote register reads hand back the status byte with the value.
    {C::ReadNetId, 0x01, kRead, kNone, R::MoreThan(8).Value(8), false},
    {C::WriteNetId, 0x01, kWrite, kNone, R::AtLeast(9), false},
    {C::ReadDstAdr, 0x02, kRead, kNone, R::MoreThan(8).Value(8), false},
    {C::WriteDstAdr, 0x02, kWrite, kNone, R::AtLeast(9), false},
    {C::ReadWorkMode, 0x03, kRead, kNone, R::MoreThan(8).Value(8), false},
    {C::WriteWorkMode, 0x03, kWrite, kNone, R::AtLeast(9), false},
    {C::WriteChannel, 0x04, kWrite, kNone, R::AtLeast(9), false},
    {C::ReadSignal, 0x04, kRead, kNone, R::Exact(10).Status(8).Value(9, 1), false},
    {C::ReadAnalog, 0x05, kRead, kNone, R::Exact(12).Status(9).Value(10, 2), false},
    {C::WriteIoDirection, 0x05, kWrite, kNone, R::Exact(11).Status(10), false},
    {C::ReadIo, 0x06, kRead, kNone, R::Exact(11).Status(9).Value(10, 1), false},
    {C::WriteIo, 0x06, kWrite, kNone, R::Exact(11).Status(10), false},
    {C::ReadRate, 0x07, kRead, kNone, R::MoreThan(9).Status(8).Value(9), false},
    // The 9-byte request echoed and its status byte: 10 bytes (longer answers pass as well).
    {C::WriteRate, 0x07, kWrite, kNone, R::AtLeast(10).Status(9), false},
    {C::Restart, 0xC1, kWrite, kNone, R::NotRead(), false},
    {C::ReadEeprom, 0xC2, kRead, kNone, R::AtLeast(1).Value(0), false},
    {C::WriteEeprom, 0xC2, kWrite, kNone, R::AtLeast(9), false},
    {C::FactoryDefaults, 0xC3, kWrite, kNone, R::Exact(9).Status(8), false},
    {C::ReadPassword, 0xC4, kRead, kNone, R::AtLeast(9).Echo().Status(8).Value(9, 9), true},
    {C::WritePassword, 0xC4, kWrite, kNone, R::Exact(18).Status(17), true},
    {C::WriteUpdateEnable, 0xF0, kWrite, kNone, R::AtLeast(9), false},
};

template <size_t N>
constexpr bool InCommandOrder(const RegisterUse (&table)[N]) {
    if (N != static_cast<size_t>(Command::Count_)) return false;
    for (size_t i = 0; i < N; ++i)
        if (static_cast<size_t>(table[i].command) != i) return false;
    return true;
}
static_assert(InCommandOrder(kLocal) && InCommandOrder(kRemote), "register tables list every command in order");

}  // namespace

const RegisterUse& FindRegisterUse(Command command, Side side) {
    const auto index = static_cast<size_t>(command);
    return side == Side::Local ? kLocal[index] : kRemote[index];
}

Bytes CommandFrame(const RegisterUse& use, const Address& to, std::span<const uint8_t> data) {
    Bytes payload(use.prefix.begin(), use.prefix.end());
    payload.insert(payload.end(), data.begin(), data.end());
    return RequestFrame(to, use.operation, use.reg, payload);
}

}  // namespace radlink::snap
