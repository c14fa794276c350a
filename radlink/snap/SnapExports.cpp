// Exported functions of the family: argument and index checks, the error code, then the family object.
// The whole-record and search functions report codes; the single-register functions leave lastError alone.
#include "core/Bytes.h"
#include "core/ExportHelpers.h"
#include "radlink.h"
#include "snap/CSnapDev.h"
#include "snap/SnapRecord.h"

using namespace radlink;
using snap::Command;

namespace {

CSnapDev& Snap() { return Globals().snap; }

SnapTarget Local() { return SnapTarget::Local(); }
SnapTarget Remote(int index) { return SnapTarget::Remote(index); }

int CopyProperty(const SnapRecord& record, int property, void* buffer) {
    if (!snap::IsProperty(property)) return Fail(kErrBadProperty);
    return buffer && snap::GetProperty(record, property, buffer) ? 1 : 0;
}

int StoreProperty(SnapRecord& record, int property, const void* buffer) {
    if (!snap::IsProperty(property)) return Fail(kErrBadProperty);
    return buffer && snap::SetProperty(record, property, buffer) ? 1 : 0;
}

// A register's value into the caller's buffer, at most `size` bytes.
int ReadInto(SnapTarget target, Command command, unsigned char* buffer, int size) {
    if (!buffer) return 0;
    auto value = Snap().ReadValue(target, command);
    if (!value) return 0;
    CopyAtMost(*value, buffer, size);
    return 1;
}

// The first value byte of a register read with a one-byte parameter (or none), 0 on failure.
int ReadByte(SnapTarget target, Command command, std::span<const uint8_t> parameter = {}) {
    auto value = Snap().ReadValue(target, command, parameter);
    return value && !value->empty() ? value->front() : 0;
}

int ReadAnalog(SnapTarget target, int input) {
    const auto parameter = static_cast<uint8_t>(input);
    auto value = Snap().ReadValue(target, Command::ReadAnalog, {&parameter, 1});
    return value ? BigEndian16At(*value, 0) : 0;
}

int ReadIo(SnapTarget target, int line) {
    const auto parameter = static_cast<uint8_t>(line);
    return ReadByte(target, Command::ReadIo, {&parameter, 1});
}

// A register the caller writes from its own bytes, and how many bytes it takes.
struct Written {
    Command command;
    size_t size;
};
constexpr Written kNetId{Command::WriteNetId, 2};
constexpr Written kDstAdr{Command::WriteDstAdr, 3};
constexpr Written kWorkMode{Command::WriteWorkMode, 1};
constexpr Written kChannel{Command::WriteChannel, 1};
constexpr Written kRate{Command::WriteRate, 1};
constexpr Written kIoDirection{Command::WriteIoDirection, 2};  // line, direction
constexpr Written kIo{Command::WriteIo, 2};                    // line, value
constexpr Written kUpdateEnable{Command::WriteUpdateEnable, 1};

// The caller's bytes, exactly as they go on the wire.
int WriteBytes(SnapTarget target, Written reg, const unsigned char* data) {
    return data ? Snap().Write(target, reg.command, {data, reg.size}) : 0;
}

int ReadEeprom(SnapTarget target, int address, unsigned char* buffer, int size, unsigned int* length) {
    if (length) *length = 0;
    if (!buffer) return 0;
    const auto parameter = static_cast<uint8_t>(address);
    auto reply = Snap().ReadValue(target, Command::ReadEeprom, {&parameter, 1});
    if (!reply) return 0;
    const size_t copied = CopyAtMost(*reply, buffer, size);
    if (length) *length = static_cast<unsigned int>(copied);
    return 1;
}

int WriteEeprom(SnapTarget target, int address, const unsigned char* data, int length) {
    if (!data || length < 0) return 0;
    return Snap().WriteEeprom(target, static_cast<uint8_t>(address), {data, static_cast<size_t>(length)});
}

int ReadPassword(SnapTarget target, char* buffer) { return buffer ? Snap().ReadPassword(target, buffer) : 0; }

}  // namespace

extern "C" {

// ---- local record

RADLINK_API int QVZB_SNAP_LoadInfo(void) {
    ClearError();
    if (!Snap().PortOpen()) return Fail(kErrPortClosed);
    return Snap().LoadInfo();
}

RADLINK_API int QVZB_SNAP_GetProperty(int property, void* buffer, unsigned int /*size*/) {
    ClearError();
    if (!Snap().loaded()) return Fail(kErrNotLoaded);
    return CopyProperty(Snap().current(), property, buffer);
}

RADLINK_API int QVZB_SNAP_SetProperty(int property, const void* buffer, unsigned int /*size*/) {
    ClearError();
    if (!Snap().loaded()) return Fail(kErrNotLoaded);
    return StoreProperty(Snap().edit(), property, buffer);
}

RADLINK_API int QVZB_SNAP_GetPropertyAll(SnapRecord* record) {
    const int loaded = QVZB_SNAP_LoadInfo();
    CopyRecordOut(record, Snap().current());
    return loaded;
}

RADLINK_API int QVZB_SNAP_SubmitInfo(void) {
    ClearError();
    if (!Snap().loaded()) return Fail(kErrNotLoaded);
    return Snap().SubmitInfo();
}

// ---- search list and remote records

RADLINK_API int QVZB_SNAP_SearchDev(int channel, int rate) {
    ClearError();
    return Snap().Search(channel, rate);
}

RADLINK_API int QVZB_SNAP_ClearSearchArr(void) {
    ClearError();
    Snap().ClearSearchList();
    return 1;
}

RADLINK_API int QVZB_SNAP_GetSearchDevCount(void) {
    ClearError();
    return Snap().SearchCount();
}

RADLINK_API int QVZB_SNAP_GetSearchDevProperty(int index, int field, void* buffer, unsigned int /*size*/) {
    ClearError();
    const CSnapDev* entry = EntryOrFail(Snap(), index);
    if (!entry) return 0;
    constexpr int kLastSearchKeyField = 3;  // MAC, NETID, CHANNAL: the record's first three properties
    if (field < 1 || field > kLastSearchKeyField) return Fail(kErrBadSearchKey);
    return buffer && snap::GetProperty(entry->current(), field, buffer) ? 1 : 0;
}

RADLINK_API int QVZB_SNAP_LoadRemoteDevInfo(int index) {
    ClearError();
    if (!EntryOrFail(Snap(), index)) return 0;
    return Snap().LoadRemote(index);
}

RADLINK_API int QVZB_SNAP_GetRemoteDevProperty(int index, int property, void* buffer, unsigned int /*size*/) {
    ClearError();
    const CSnapDev* entry = EntryOrFail(Snap(), index);
    if (!entry) return 0;
    if (!entry->loaded()) return Fail(kErrNotLoaded);
    return CopyProperty(entry->current(), property, buffer);
}

RADLINK_API int QVZB_SNAP_SetRemoteDevProperty(int index, int property, const void* buffer,
                                               unsigned int /*size*/) {
    ClearError();
    CSnapDev* entry = EntryOrFail(Snap(), index);
    return entry ? StoreProperty(entry->edit(), property, buffer) : 0;
}

RADLINK_API int QVZB_SNAP_GetRemoteDevPropertyAll(SnapRecord* record, int index) {
    const int loaded = QVZB_SNAP_LoadRemoteDevInfo(index);
    if (const CSnapDev* entry = Snap().Entry(index)) CopyRecordOut(record, entry->current());
    return loaded;
}

RADLINK_API int QVZB_SNAP_SubmitRemoteDevInfo(int index) {
    ClearError();
    const CSnapDev* entry = EntryOrFail(Snap(), index);
    if (!entry) return 0;
    if (!entry->loaded()) return Fail(kErrNotLoaded);
    return Snap().SubmitRemote(index);
}

RADLINK_API int QVZB_SNAP_ResetRemoteDev(int index) {
    ClearError();
    return EntryOrFail(Snap(), index) ? Snap().Restart(Remote(index)) : 0;
}

RADLINK_API int QVZB_SNAP_ResetRemoteToDefault(int index) {
    ClearError();
    return EntryOrFail(Snap(), index) ? Snap().FactoryDefaults(Remote(index)) : 0;
}

// ---- single registers

RADLINK_API int QVZB_SNAP_GetLocalNetID(unsigned char* buffer, int size) {
    return ReadInto(Local(), Command::ReadNetId, buffer, size);
}
RADLINK_API int QVZB_SNAP_GetRemoteNetID(int index, unsigned char* buffer, int size) {
    return ReadInto(Remote(index), Command::ReadNetId, buffer, size);
}
RADLINK_API int QVZB_SNAP_SetLocalNetID(const unsigned char* data) {
    return WriteBytes(Local(), kNetId, data);
}
RADLINK_API int QVZB_SNAP_SetRemoteNetID(int index, const unsigned char* data) {
    return WriteBytes(Remote(index), kNetId, data);
}

RADLINK_API int QVZB_SNAP_GetLocalDstAdr(unsigned char* buffer, int size) {
    return ReadInto(Local(), Command::ReadDstAdr, buffer, size);
}
RADLINK_API int QVZB_SNAP_GetRemoteDstAdr(int index, unsigned char* buffer, int size) {
    return ReadInto(Remote(index), Command::ReadDstAdr, buffer, size);
}
RADLINK_API int QVZB_SNAP_SetLocalDstAdr(const unsigned char* data) {
    return WriteBytes(Local(), kDstAdr, data);
}
RADLINK_API int QVZB_SNAP_SetRemoteDstAdr(int index, const unsigned char* data) {
    return WriteBytes(Remote(index), kDstAdr, data);
}

RADLINK_API int QVZB_SNAP_GetLocalWorkMode(unsigned char* buffer, int size) {
    return ReadInto(Local(), Command::ReadWorkMode, buffer, size);
}
RADLINK_API int QVZB_SNAP_GetRemoteWorkMode(int index, unsigned char* buffer, int size) {
    return ReadInto(Remote(index), Command::ReadWorkMode, buffer, size);
}
RADLINK_API int QVZB_SNAP_SetLocalWorkMode(const unsigned char* data) {
    return WriteBytes(Local(), kWorkMode, data);
}
RADLINK_API int QVZB_SNAP_SetRemoteWorkMode(int index, const unsigned char* data) {
    return WriteBytes(Remote(index), kWorkMode, data);
}

RADLINK_API int QVZB_SNAP_SetLocalChannel(const unsigned char* data) {
    return WriteBytes(Local(), kChannel, data);
}
RADLINK_API int QVZB_SNAP_SetRemoteChannel(int index, const unsigned char* data) {
    return WriteBytes(Remote(index), kChannel, data);
}

RADLINK_API int QVZB_SNAP_GetLocalSignalPower(void) { return ReadByte(Local(), Command::ReadSignal); }
RADLINK_API int QVZB_SNAP_GetRemoteSignalPower(int index) { return ReadByte(Remote(index), Command::ReadSignal); }

// The register hands back the rest of its reply; the caller's buffer holds the one rate byte.
RADLINK_API int QVZB_SNAP_GetLocalRate(unsigned char* buffer) {
    return ReadInto(Local(), Command::ReadRate, buffer, 1);
}
RADLINK_API int QVZB_SNAP_GetRemoteRate(int index, unsigned char* buffer) {
    return ReadInto(Remote(index), Command::ReadRate, buffer, 1);
}
RADLINK_API int QVZB_SNAP_SetLocalRate(const unsigned char* data) {
    return WriteBytes(Local(), kRate, data);
}
RADLINK_API int QVZB_SNAP_SetRemoteRate(int index, const unsigned char* data) {
    return WriteBytes(Remote(index), kRate, data);
}

RADLINK_API int QVZB_SNAP_GetLocalADvalue(int input) { return ReadAnalog(Local(), input); }
RADLINK_API int QVZB_SNAP_GetRemoteADvalue(int index, int input) { return ReadAnalog(Remote(index), input); }

RADLINK_API int QVZB_SNAP_GetLocalIOvalue(int line) { return ReadIo(Local(), line); }
RADLINK_API int QVZB_SNAP_GetRemoteIOvalue(int index, int line) { return ReadIo(Remote(index), line); }

RADLINK_API int QVZB_SNAP_SetLocalIODirection(const unsigned char* lineAndDirection) {
    return WriteBytes(Local(), kIoDirection, lineAndDirection);
}
RADLINK_API int QVZB_SNAP_SetRemoteIODirection(int index, const unsigned char* lineAndDirection) {
    return WriteBytes(Remote(index), kIoDirection, lineAndDirection);
}
RADLINK_API int QVZB_SNAP_SetLocalIOvalue(const unsigned char* lineAndValue) {
    return WriteBytes(Local(), kIo, lineAndValue);
}
RADLINK_API int QVZB_SNAP_SetRemoteIOvalue(int index, const unsigned char* lineAndValue) {
    return WriteBytes(Remote(index), kIo, lineAndValue);
}

RADLINK_API int QVZB_SNAP_SetLocalUpdateEn(const unsigned char* data) {
    return WriteBytes(Local(), kUpdateEnable, data);
}
RADLINK_API int QVZB_SNAP_SetRemoteUpdateEn(int index, const unsigned char* data) {
    return WriteBytes(Remote(index), kUpdateEnable, data);
}

RADLINK_API int QVZB_SNAP_GetLocalEEPROM(int address, unsigned char* buffer, int size, unsigned int* length) {
    return ReadEeprom(Local(), address, buffer, size, length);
}
RADLINK_API int QVZB_SNAP_GetRemoteEEPROM(int index, int address, unsigned char* buffer, int size,
                                          unsigned int* length) {
    return ReadEeprom(Remote(index), address, buffer, size, length);
}
RADLINK_API int QVZB_SNAP_SetLocalEEPROM(int address, const unsigned char* data, int length) {
    return WriteEeprom(Local(), address, data, length);
}
RADLINK_API int QVZB_SNAP_SetRemoteEEPROM(int index, int address, const unsigned char* data, int length) {
    return WriteEeprom(Remote(index), address, data, length);
}

RADLINK_API int QVZB_SNAP_GetLocalPwd(char* buffer) { return ReadPassword(Local(), buffer); }
RADLINK_API int QVZB_SNAP_GetRemotePwd(int index, char* buffer) { return ReadPassword(Remote(index), buffer); }
RADLINK_API int QVZB_SNAP_SetLocalPwd(const char* oldPassword, const char* newPassword) {
    return Snap().ChangePassword(Local(), oldPassword, newPassword);
}
RADLINK_API int QVZB_SNAP_SetRemotePwd(int index, const char* oldPassword, const char* newPassword) {
    return Snap().ChangePassword(Remote(index), oldPassword, newPassword);
}

RADLINK_API int QVZB_SNAP_ResetDev(void) { return Snap().Restart(Local()); }
RADLINK_API int QVZB_SNAP_SetLocalReset(void) { return Snap().Restart(Local()); }
RADLINK_API int QVZB_SNAP_SetRemoteReset(int index) { return Snap().Restart(Remote(index)); }

RADLINK_API int QVZB_SNAP_ResetToDefault(void) { return Snap().FactoryDefaults(Local()); }
RADLINK_API int QVZB_SNAP_SetLocalResetToDefault(void) { return Snap().FactoryDefaults(Local()); }
RADLINK_API int QVZB_SNAP_SetRemoteResetToDefault(int index) { return Snap().FactoryDefaults(Remote(index)); }

}  // extern "C"
