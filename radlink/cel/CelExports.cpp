// Exported CEL functions (early definitions so the library links; the family class lands next).
#include "core/GlobalData.h"
#include "radlink.h"

using namespace radlink;

extern "C" {

RADLINK_API int QVZB_CEL_LoadInfo(void) {
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetProperty(int property, void* buffer, unsigned int size) {
    (void)property;
    (void)buffer;
    (void)size;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_SetProperty(int property, const void* buffer, unsigned int size) {
    (void)property;
    (void)buffer;
    (void)size;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetPropertyAll(CelRecord* record) {
    (void)record;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_SubmitInfo(void) {
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_ResetDev(void) {
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_ResetToDefault(void) {
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_SearchDev(int channel, int rate) {
    (void)channel;
    (void)rate;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_ClearSearchArr(void) {
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetSearchDevCount(void) {
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetSearchDevProperty(int index, int field, void* buffer, unsigned int size) {
    (void)index;
    (void)field;
    (void)buffer;
    (void)size;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_HandAddDev(int searchWord, int channel, int rate, int panId, int address, int state) {
    (void)searchWord;
    (void)channel;
    (void)rate;
    (void)panId;
    (void)address;
    (void)state;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_DeleteDev(int index) {
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_LoadRemoteDevInfo(int index) {
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetRemoteDevProperty(int index, int property, void* buffer, unsigned int size) {
    (void)index;
    (void)property;
    (void)buffer;
    (void)size;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_SetRemoteDevProperty(int index, int property, const void* buffer, unsigned int size) {
    (void)index;
    (void)property;
    (void)buffer;
    (void)size;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetRemoteDevPropertyAll(CelRecord* record, int index) {
    (void)record;
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_SubmitRemoteDevInfo(int index) {
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_ResetRemoteDev(int index) {
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_ResetRemoteToDefault(int index) {
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_SetIODirAllLocal(int direction) {
    (void)direction;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_SetIODirAllRemote(int direction, int index) {
    (void)direction;
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetIOvalueLocal(int bit) {
    (void)bit;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetIOvalueRemote(int bit, int index) {
    (void)bit;
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_SetIOValueLocal(int value, int bit) {
    (void)value;
    (void)bit;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_SetIOValueRemote(int value, int bit, int index) {
    (void)value;
    (void)bit;
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetADvalueLocal(int channel) {
    (void)channel;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_GetADvalueRemote(int channel, int index) {
    (void)channel;
    (void)index;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_UpdateWithFileNameLocal(const char* path, int runState, int address, int controlWord) {
    (void)path;
    (void)runState;
    (void)address;
    (void)controlWord;
    ClearError();
    return 0;
}

RADLINK_API int QVZB_CEL_UpdateWithFileNameRemote(int index, const char* path, int runState, int address, int controlWord) {
    (void)index;
    (void)path;
    (void)runState;
    (void)address;
    (void)controlWord;
    ClearError();
    return 0;
}

}  // extern "C"
