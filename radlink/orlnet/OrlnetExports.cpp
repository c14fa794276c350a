// The family's exported functions: argument and index checks and error codes over COrlnetDev.
#include "core/ExportHelpers.h"
#include "orlnet/OrlnetImage.h"
#include "radlink.h"

using namespace radlink;
using namespace radlink::orlnet;

namespace {

COrlnetDev& Dev() { return Globals().orlnet; }

int GetPropertyOf(const COrlnetDev& dev, int property, void* buffer, int size) {
    if (!dev.loaded()) return Fail(kErrNotLoaded);
    if (!buffer) return 0;
    return Result(GetProperty(dev.record(), property, buffer, size));
}

int SetPropertyOf(COrlnetDev& dev, int property, const void* buffer) {
    if (!buffer) return 0;
    return Result(SetProperty(dev.editRecord(), property, buffer));
}

uint8_t Low8(int value) { return static_cast<uint8_t>(value); }
uint16_t Low16(int value) { return static_cast<uint16_t>(value); }

// A missing or short image is refused before anything is sent (a RADLINK_UPGRADE_ result). No error code.
int Upgrade(int index, const char* path, int runState, int address, int controlWord,
            RADLINK_UpgradeProgress progress = nullptr, void* context = nullptr) {
    return UpgradeWithProgress(
        path, progress, context, [](const char* p, ImageRefusal* why) { return LoadImage(p, why); },
        [&](const Image& image, const UpgradeObserver& observer) {
            return Dev().Upgrade(index, image, Low8(runState), Low16(address), Low16(controlWord), observer);
        });
}

}  // namespace

extern "C" {

// ---- Local module -----------------------------------------------------------------------------------------

RADLINK_API int QVZB_ORLNET_LoadInfo(void) {
    ClearError();
    if (!Globals().channel.IsOpen()) return Fail(kErrPortClosed);
    return Dev().LoadInfo() ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_GetPropertyAll(OrlnetConfig* record) {
    const int result = QVZB_ORLNET_LoadInfo();
    CopyRecordOut(record, Dev().record());
    return result;
}

RADLINK_API int QVZB_ORLNET_GetProperty(int property, void* buffer, int size) {
    ClearError();
    return GetPropertyOf(Dev(), property, buffer, size);
}

RADLINK_API int QVZB_ORLNET_SetProperty(int property, const void* buffer, int /*size*/) {
    ClearError();
    if (!Dev().loaded()) return Fail(kErrNotLoaded);
    return SetPropertyOf(Dev(), property, buffer);
}

RADLINK_API int QVZB_ORLNET_SubmitInfo(void) {
    ClearError();
    if (!Dev().loaded()) return Fail(kErrNotLoaded);
    return Dev().SubmitInfo() ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_SetlocalChannel(int channel) {
    ClearError();
    return Dev().SetLocalChannel(Low8(channel)) ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_SetlocalRate(int rate) {
    ClearError();
    return Dev().SetLocalRate(Low8(rate)) ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_ResetDev(void) { return Dev().ResetDev() ? 1 : 0; }

RADLINK_API int QVZB_ORLNET_ResetToDefault(void) { return Dev().ResetToDefault() ? 1 : 0; }

// ---- Remote modules ---------------------------------------------------------------------------------------

RADLINK_API int QVZB_ORLNET_LoadRemoteDevInfo(int index) {
    ClearError();
    if (!EntryOrFail(Dev(), index)) return 0;
    return Dev().LoadRemote(index) ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_LoadRemoteRouteDevInfo(OrlnetConfig* record, int index, int offset, int length) {
    ClearError();
    const COrlnetDev* entry = EntryOrFail(Dev(), index);
    if (!entry) return 0;
    const bool ok = ValidSpan(offset, length) && Dev().LoadRemotePart(index, offset, length);
    CopyRecordOut(record, entry->record());
    return ok ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_LoadRemoteDevInfoAll(int index) {
    ClearError();
    const COrlnetDev* entry = EntryOrFail(Dev(), index);
    if (!entry) return 0;
    if (!entry->viaRoute()) return QVZB_ORLNET_LoadRemoteDevInfo(index);
    OrlnetConfig scratch;
    return QVZB_ORLNET_LoadRemoteRouteDevInfo(&scratch, index, 0, static_cast<int>(kWrittenSize));
}

RADLINK_API int QVZB_ORLNET_GetRemoteDevPropertyAll(OrlnetConfig* record, int index) {
    const int result = QVZB_ORLNET_LoadRemoteDevInfoAll(index);
    if (const COrlnetDev* entry = Dev().Entry(index)) CopyRecordOut(record, entry->record());
    return result;
}

RADLINK_API int QVZB_ORLNET_GetRemoteDevProperty(int index, int property, void* buffer, int size) {
    ClearError();
    const COrlnetDev* entry = EntryOrFail(Dev(), index);
    return entry ? GetPropertyOf(*entry, property, buffer, size) : 0;
}

RADLINK_API int QVZB_ORLNET_SetRemoteDevProperty(int index, int property, const void* buffer, int /*size*/) {
    ClearError();
    COrlnetDev* entry = EntryOrFail(Dev(), index);
    return entry ? SetPropertyOf(*entry, property, buffer) : 0;
}

RADLINK_API int QVZB_ORLNET_SubmitRemoteDevInfo(int index) {
    ClearError();
    const COrlnetDev* entry = EntryOrFail(Dev(), index);
    if (!entry) return 0;
    if (!entry->loaded()) return Fail(kErrNotLoaded);  // a record never read would overwrite the module's
    return Dev().SubmitRemote(index) ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_SubmitRemoteRouteDevInfo(int index, int offset, int length) {
    ClearError();
    const COrlnetDev* entry = EntryOrFail(Dev(), index);
    if (!entry) return 0;
    if (!entry->loaded()) return Fail(kErrNotLoaded);
    return ValidSpan(offset, length) && Dev().SubmitRemotePart(index, offset, length) ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_SubmitRemoteDevInfoAll(int index) {
    ClearError();
    const COrlnetDev* entry = EntryOrFail(Dev(), index);
    if (!entry) return 0;
    if (!entry->viaRoute()) return QVZB_ORLNET_SubmitRemoteDevInfo(index);
    return QVZB_ORLNET_SubmitRemoteRouteDevInfo(index, 0, static_cast<int>(kWrittenSize));
}

RADLINK_API int QVZB_ORLNET_IsRouteDev(int index) {
    const COrlnetDev* entry = Dev().Entry(index);
    return entry && entry->viaRoute() ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_ResetRemoteDev(int index) {
    ClearError();
    if (!EntryOrFail(Dev(), index)) return 0;
    return Dev().ResetRemote(index) ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_ResetRemoteToDefault(int index) {
    ClearError();
    if (!EntryOrFail(Dev(), index)) return 0;
    return Dev().ResetRemoteToDefault(index) ? 1 : 0;
}

// ---- Search -----------------------------------------------------------------------------------------------

RADLINK_API int QVZB_ORLNET_SearchDev(int channel, int rate) {
    ClearError();
    return Dev().Search(Low8(channel), Low8(rate), std::nullopt) ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_SearchDevWithID(int channel, int rate, int id) {
    ClearError();
    return Dev().Search(Low8(channel), Low8(rate), Low16(id)) ? 1 : 0;
}

RADLINK_API void QVZB_ORLNET_ClearSearchArr(void) {
    ClearError();
    Dev().ClearSearch();
}

RADLINK_API int QVZB_ORLNET_GetSearchDevCount(void) {
    ClearError();
    return Dev().SearchCount();
}

RADLINK_API int QVZB_ORLNET_GetSearchDevProperty(int index, int field, void* buffer, int /*size*/) {
    ClearError();
    const COrlnetDev* entry = EntryOrFail(Dev(), index);
    if (!entry) return 0;
    const ErrorCode code = GetSearchKeyField(entry->searchKey(), field, buffer);
    return code == kErrBufferSmall ? 0 : Result(code);  // no buffer: 0 without a code
}

// ---- Network service --------------------------------------------------------------------------------------

RADLINK_API int QVZB_ORLNET_DetectRoute(int address, int table, OrlnetRoute* route) {
    ClearError();
    if (!Globals().channel.IsOpen()) return Fail(kErrPortClosed);
    OrlnetRoute found{};
    const int result = Dev().DetectRoute(Low16(address), table != 0, found);
    if (result == 1 && route) *route = found;
    return result;
}

RADLINK_API int QVZB_ORLNET_TestLEDLocal(int state) {
    return Dev().TestLed(Low8(state), Dev().record().netAddress) ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_TestLEDRemote(int state, int index, int address) {
    uint16_t target = Low16(address);
    if (target == 0) {
        const COrlnetDev* entry = Dev().Entry(index);
        if (!entry) return 0;
        target = entry->searchKey().address;
    }
    return Dev().TestLed(Low8(state), target) ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_TestLEDBroadcast(int state) { return Dev().BroadcastLed(Low8(state)) ? 1 : 0; }

RADLINK_API int QVZB_ORLNET_SendBroadcast(int state) {
    ClearError();
    if (!Globals().channel.IsOpen()) return Fail(kErrPortClosed);
    return QVZB_ORLNET_TestLEDBroadcast(state);
}

RADLINK_API int QVZB_ORLNET_SendData(int address, const unsigned char* data, int length, unsigned char* answer,
                                     int answerSize, unsigned char* answerLength) {
    ClearError();
    if (!Globals().channel.IsOpen()) return Fail(kErrPortClosed);
    const size_t count = Low8(length);
    if (count > kMaxDataLength || (count > 0 && !data)) return 0;
    const Bytes reply = Dev().SendData(Low16(address), std::span(data, count));
    if (reply.empty()) return 0;
    const size_t copied = CopyAtMost(reply, answer, Low8(answerSize));
    if (answerLength) *answerLength = static_cast<unsigned char>(copied);
    return reply.size() > 2 && reply[2] == 0 ? 1 : 0;
}

// ---- Firmware upgrade -------------------------------------------------------------------------------------

RADLINK_API int QVZB_ORLNET_UpdateWithFileNameLocal(const char* path, int runState, int address, int controlWord) {
    return Upgrade(-1, path, runState, address, controlWord) == RADLINK_UPGRADE_DONE ? 1 : 0;
}

RADLINK_API int QVZB_ORLNET_UpdateWithFileNameRemote(int index, const char* path, int runState, int address,
                                                     int controlWord) {
    if (!Dev().Entry(index)) return 0;
    return Upgrade(index, path, runState, address, controlWord) == RADLINK_UPGRADE_DONE ? 1 : 0;
}

// ---- Extensions -------------------------------------------------------------------------------------------

RADLINK_API int RADLINK_ORLNET_UpdateWithProgress(int index, const char* path, int runState, int address,
                                                  int controlWord, RADLINK_UpgradeProgress progress, void* context) {
    if (index != -1 && !Dev().Entry(index)) return RADLINK_UPGRADE_BAD_INDEX;
    return Upgrade(index, path, runState, address, controlWord, progress, context);
}

}  // extern "C"
