// Exported functions of the family: argument and index checks, the error code, then the family object.
#include "cel/CCELDev.h"
#include "core/ExportHelpers.h"
#include "radlink.h"

using namespace radlink;

namespace {

CCELDev& Cel() { return Globals().cel; }

// The IO port's line `bit`; lines beyond the port's eight read as 0.
int LineOf(uint8_t port, int bit) { return bit >= 0 && bit < 8 ? port & (1 << bit) : 0; }

// Remote IO, AD and upgrade calls name an entry of the search list; outside it nothing is sent, and IO and AD
// report it as the load they begin with does.
bool InList(int index) { return Cel().Entry(index) != nullptr; }
int OutsideList() {
    ClearError();
    return Fail(kErrBadIndex);
}

// IO and AD first read the target's record again (the result is not checked; the load sets the error code), then
// talk to the address in it. `target` is CCELDev::kLocal or an index inside the list.
void Reload(int target) {
    if (target == CCELDev::kLocal)
        QVZB_CEL_LoadInfo();
    else
        QVZB_CEL_LoadRemoteDevInfo(target);
}

int SetIoDirection(int target, int direction) {
    Reload(target);
    return Cel().SetIoDirection(target, static_cast<uint8_t>(direction) == 1) ? 1 : 0;
}

int GetIoLine(int target, int bit) {
    Reload(target);
    const auto port = Cel().ReadIoPort(target);
    return port ? LineOf(*port, bit) : 0;
}

int SetIoLine(int target, int value, int bit) {
    Reload(target);
    return Cel().WriteIoLine(target, bit, value == 1) ? 1 : 0;
}

int GetAd(int target, int channel) {
    Reload(target);
    return Cel().ReadAd(target, static_cast<uint8_t>(channel)).value_or(0);
}

// A missing or short image is refused before anything is sent (a RADLINK_UPGRADE_ result). No error code.
int Upgrade(int target, const char* path, int runState, int address, int controlWord,
            RADLINK_UpgradeProgress progress = nullptr, void* context = nullptr) {
    return UpgradeWithProgress(
        path, progress, context, [](const char* p, ImageRefusal* why) { return cel::CelImage::Load(p, why); },
        [&](const cel::CelImage& image, const UpgradeObserver& observer) {
            return Cel().Upgrade(target, image, static_cast<uint8_t>(runState), static_cast<uint16_t>(address),
                                 static_cast<uint16_t>(controlWord), observer);
        });
}

}  // namespace

extern "C" {

// ---- local record

RADLINK_API int QVZB_CEL_LoadInfo(void) {
    ClearError();
    if (!Globals().channel.IsOpen()) return Fail(kErrPortClosed);
    return Cel().LoadLocal() ? 1 : 0;
}

RADLINK_API int QVZB_CEL_GetProperty(int property, void* buffer, unsigned int size) {
    ClearError();
    if (!Cel().loaded()) return Fail(kErrNotLoaded);
    return Result(cel::GetProperty(Cel().current(), property, buffer, size));
}

RADLINK_API int QVZB_CEL_SetProperty(int property, const void* buffer, unsigned int /*size*/) {
    ClearError();
    if (!Cel().loaded()) return Fail(kErrNotLoaded);
    return Result(cel::SetProperty(Cel().edit(), property, buffer));
}

RADLINK_API int QVZB_CEL_GetPropertyAll(CelRecord* record) {
    const int loaded = QVZB_CEL_LoadInfo();
    CopyRecordOut(record, Cel().current());
    return loaded;
}

RADLINK_API int QVZB_CEL_SubmitInfo(void) {
    ClearError();
    if (!Cel().loaded()) return Fail(kErrNotLoaded);
    return Cel().SubmitLocal() ? 1 : 0;
}

RADLINK_API int QVZB_CEL_ResetDev(void) { return Cel().RestartLocal() ? 1 : 0; }

RADLINK_API int QVZB_CEL_ResetToDefault(void) { return Cel().FactoryResetLocal() ? 1 : 0; }

// ---- search list

RADLINK_API int QVZB_CEL_SearchDev(int channel, int rate) {
    ClearError();
    return Cel().Search(channel, rate) ? 1 : 0;
}

RADLINK_API int QVZB_CEL_ClearSearchArr(void) {
    ClearError();
    Cel().ClearList();
    return 1;
}

RADLINK_API int QVZB_CEL_GetSearchDevCount(void) {
    ClearError();
    return Cel().EntryCount();
}

RADLINK_API int QVZB_CEL_GetSearchDevProperty(int index, int field, void* buffer, unsigned int /*size*/) {
    ClearError();
    const CCELDev* entry = EntryOrFail(Cel(), index);
    if (!entry) return 0;
    return Result(GetSearchKeyField(entry->key(), field, buffer));
}

RADLINK_API int QVZB_CEL_HandAddDev(int searchWord, int channel, int rate, int panId, int address, int state) {
    ClearError();
    const SearchKey key{static_cast<uint16_t>(searchWord), static_cast<uint8_t>(channel),
                             static_cast<uint8_t>(rate),       static_cast<uint16_t>(panId),
                             static_cast<uint16_t>(address),   static_cast<uint8_t>(state)};
    return Cel().HandAdd(key) ? 1 : 0;
}

RADLINK_API int QVZB_CEL_DeleteDev(int index) {
    ClearError();
    if (!EntryOrFail(Cel(), index)) return 0;
    Cel().Delete(index);
    return 1;
}

// ---- remote modules

RADLINK_API int QVZB_CEL_LoadRemoteDevInfo(int index) {
    ClearError();
    if (!EntryOrFail(Cel(), index)) return 0;
    return Cel().LoadRemote(index) ? 1 : 0;
}

RADLINK_API int QVZB_CEL_GetRemoteDevProperty(int index, int property, void* buffer, unsigned int size) {
    ClearError();
    const CCELDev* entry = EntryOrFail(Cel(), index);
    if (!entry) return 0;
    if (!entry->loaded()) return Fail(kErrNotLoaded);
    return Result(cel::GetProperty(entry->current(), property, buffer, size));
}

RADLINK_API int QVZB_CEL_SetRemoteDevProperty(int index, int property, const void* buffer, unsigned int /*size*/) {
    ClearError();
    CCELDev* entry = EntryOrFail(Cel(), index);
    if (!entry) return 0;
    return Result(cel::SetProperty(entry->edit(), property, buffer));
}

RADLINK_API int QVZB_CEL_GetRemoteDevPropertyAll(CelRecord* record, int index) {
    const int loaded = QVZB_CEL_LoadRemoteDevInfo(index);
    if (const CCELDev* entry = Cel().Entry(index)) CopyRecordOut(record, entry->current());
    return loaded;
}

RADLINK_API int QVZB_CEL_SubmitRemoteDevInfo(int index) {
    ClearError();
    if (!EntryOrFail(Cel(), index)) return 0;
    return Cel().SubmitRemote(index) ? 1 : 0;
}

RADLINK_API int QVZB_CEL_ResetRemoteDev(int index) {
    ClearError();
    if (!EntryOrFail(Cel(), index)) return 0;
    return Cel().RestartRemote(index) ? 1 : 0;
}

RADLINK_API int QVZB_CEL_ResetRemoteToDefault(int index) {
    ClearError();
    if (!EntryOrFail(Cel(), index)) return 0;
    return Cel().FactoryResetRemote(index) ? 1 : 0;
}

// ---- IO and AD on the local module (kLocal) or a search-list entry, and firmware upgrade

RADLINK_API int QVZB_CEL_SetIODirAllLocal(int direction) { return SetIoDirection(CCELDev::kLocal, direction); }
RADLINK_API int QVZB_CEL_GetIOvalueLocal(int bit) { return GetIoLine(CCELDev::kLocal, bit); }
RADLINK_API int QVZB_CEL_SetIOValueLocal(int value, int bit) { return SetIoLine(CCELDev::kLocal, value, bit); }
RADLINK_API int QVZB_CEL_GetADvalueLocal(int channel) { return GetAd(CCELDev::kLocal, channel); }

RADLINK_API int QVZB_CEL_SetIODirAllRemote(int direction, int index) {
    return InList(index) ? SetIoDirection(index, direction) : OutsideList();
}
RADLINK_API int QVZB_CEL_GetIOvalueRemote(int bit, int index) {
    return InList(index) ? GetIoLine(index, bit) : OutsideList();
}
RADLINK_API int QVZB_CEL_SetIOValueRemote(int value, int bit, int index) {
    return InList(index) ? SetIoLine(index, value, bit) : OutsideList();
}
RADLINK_API int QVZB_CEL_GetADvalueRemote(int channel, int index) {
    return InList(index) ? GetAd(index, channel) : OutsideList();
}

RADLINK_API int QVZB_CEL_UpdateWithFileNameLocal(const char* path, int runState, int address, int controlWord) {
    return Upgrade(CCELDev::kLocal, path, runState, address, controlWord) == RADLINK_UPGRADE_DONE ? 1 : 0;
}

RADLINK_API int QVZB_CEL_UpdateWithFileNameRemote(int index, const char* path, int runState, int address,
                                                  int controlWord) {
    return InList(index) && Upgrade(index, path, runState, address, controlWord) == RADLINK_UPGRADE_DONE ? 1 : 0;
}

// ---- extensions

RADLINK_API int RADLINK_CEL_UpdateWithProgress(int index, const char* path, int runState, int address,
                                               int controlWord, RADLINK_UpgradeProgress progress, void* context) {
    if (index != CCELDev::kLocal && !InList(index)) return RADLINK_UPGRADE_BAD_INDEX;
    return Upgrade(index, path, runState, address, controlWord, progress, context);
}

}  // extern "C"
