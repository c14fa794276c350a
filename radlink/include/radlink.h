/*
 * Radlink: configuration protocols of CEL, ORLNET and SNAP ZigBee radio modules on a serial port.
 *
 * Flat C interface. Results are 1 for success and 0 for failure unless a function says otherwise; functions that
 * report a reason store one code in QVZB_GetLastError (see RADLINK_ERR_*). Calls must not overlap: the library
 * takes no lock. Records and texts cross the interface by copy into buffers the caller owns.
 */
#ifndef RADLINK_H
#define RADLINK_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(RADLINK_BUILDING)
#define RADLINK_API __attribute__((visibility("default")))
#else
#define RADLINK_API
#endif

/* Codes of QVZB_GetLastError. */
#define RADLINK_OK                  0   /* no error */
#define RADLINK_ERR_BUFFER_SMALL    16  /* text property does not fit the caller's buffer */
#define RADLINK_ERR_BAD_PROPERTY    17  /* unknown, unreadable or unsettable property number */
#define RADLINK_ERR_PORT_CLOSED     101 /* the serial port is not open */
#define RADLINK_ERR_NOT_LOADED      102 /* the record has not been loaded yet */
#define RADLINK_ERR_BAD_SEARCH_KEY  104 /* unknown search-key field number */
#define RADLINK_ERR_BAD_INDEX       105 /* search-list index out of range */

#pragma pack(push, 1)
/* CEL configuration record, 81 bytes, numbers in host order. Offsets 0-75: configuration area; 76-80: tail. */
typedef struct CelRecord {
    char deviceName[16];           /* property 1 */
    char password[16];             /* property 2 */
    unsigned char deviceType;      /* 4: 0 end device, 1 router, 2 coordinator */
    unsigned char channel;         /* 5: 11..26 */
    unsigned short panId;          /* 6 */
    unsigned short netAddress;     /* 7 */
    unsigned char macAddress[8];   /* 8: wire order */
    unsigned short dstNetAddress;  /* 9 */
    unsigned char dstMacAddress[8];/* 10: wire order */
    unsigned char airRate;         /* 11: 0 250k, 1 500k, 2 1M */
    unsigned char txPower;         /* 12 */
    unsigned char retryCount;      /* 13 */
    unsigned char retryInterval;   /* 14: units of 100 ms */
    unsigned char baudIndex;       /* 15: 0..9 = 1200..460800 */
    unsigned char dataBits;        /* 16 */
    unsigned char stopBits;        /* 18 */
    unsigned char parity;          /* 17 */
    unsigned char sendMode;        /* 19: 0 unicast, 1 broadcast, 0x88 none */
    unsigned short sleepTimeMs;    /* 25 */
    unsigned short receiveDelayMs; /* 26 */
    unsigned short forwardDelayMs; /* 27 */
    unsigned char sampleRate;      /* 20 */
    unsigned char compression;     /* 21: 0x99 no voice */
    unsigned char voiceMode;       /* 22 */
    unsigned char outputVolume;    /* 23 */
    unsigned char micVolume;       /* 24 */
    unsigned char runState;        /* 0xAA normal firmware, other: upgrade mode */
    unsigned short controlWord;    /* product line: 1 Quickmesh, 2 VNET */
    unsigned short firmwareVersion;/* property 3 */
} CelRecord;
/* ORLNET configuration record, 84 bytes, numbers in host order. Offsets 0-78 are written by the module's write
 * command; 79-83 are reported by the module only. Property numbers in the comments. */
typedef struct OrlnetConfig {
    char deviceName[16];              /* 1 */
    char password[16];                /* 2 */
    unsigned char deviceType;         /* 4: 0 end device, 1 router, 2 ORLNET device */
    unsigned char channel;            /* 5: 11..26 */
    unsigned short panId;             /* 6 */
    unsigned short netAddress;        /* 7 */
    unsigned char reserved38[8];
    unsigned short reserved46;
    unsigned char reserved48[8];
    unsigned char airRate;            /* 11: 0 250k, 1 500k, 2 1M */
    unsigned char txPower;            /* 12: 0x02 (8 dBm) .. 0x12 (-50 dBm) */
    unsigned char reserved58[2];
    unsigned char baudIndex;          /* 15: 0..9 = 1200..460800 */
    unsigned char dataBits;           /* 16: 5..8 */
    unsigned char stopBits;           /* 18: 1 or 2 */
    unsigned char parity;             /* 17: 0 none 1 odd 2 even 3 forced 0 4 forced 1 */
    unsigned char reserved64;
    unsigned char routeTableLifetime; /* 19: s */
    unsigned short tempRouteLifetime; /* 20: ms */
    unsigned short routeQueryTimeout; /* 21: ms */
    unsigned short routeRetryTime;    /* 27: ms */
    unsigned char routeRetryCount;    /* 28 */
    unsigned short dataAccessTimeout; /* 22: ms */
    unsigned char shortPathResendTime;/* 23: ms */
    unsigned char shortPathRetryCount;/* 24 */
    signed char minSignal;            /* 25: dBm */
    signed char bestSignal;           /* 26: dBm */
    unsigned char runState;           /* 0xAA normal firmware, other: upgrade mode */
    unsigned short controlWord;       /* sent with restart, factory reset and upgrade mode */
    unsigned short firmwareVersion;   /* 3 (read only): four 4-bit digits, 0x0123 is 1.23 */
} OrlnetConfig;
/* ORLNET route record, 44 bytes, filled by QVZB_ORLNET_DetectRoute; numbers in host order. */
typedef struct OrlnetRoute {
    signed char weakestSignal;        /* dBm: the weakest link of the route */
    unsigned short weakestNodeId;     /* network address of the node with that signal */
    unsigned char hopCount;           /* entries of hops in use, at most 20 */
    unsigned short hops[20];          /* network addresses along the route */
} OrlnetRoute;
/* SNAP configuration record, 38 bytes as the module sends it, except NETID, which is in host order here. */
typedef struct SnapRecord {
    unsigned char MAC[8];       /* property 1: the module's address is its last three bytes */
    unsigned short NETID;       /* 2: network number */
    unsigned char CHANNAL;      /* 3: channel index, 0 = channel 11 (2405 MHz) .. 15 = channel 26 */
    unsigned char BAUD;         /* 4: serial rate, 1 = 1200 .. 8 = 115200 */
    unsigned char DEVPARITY;    /* 5: 'N', 'O' or 'E' */
    unsigned char DEVDATABIT;   /* 6: 7 or 8 */
    unsigned char RSV14;        /* 7: carried unchanged */
    unsigned char SPTIME;       /* 8: heartbeat interval */
    char SPCHAR[2];             /* 9: heartbeat characters */
    unsigned char SPEN;         /* 10: heartbeat enable */
    unsigned char DRATE;        /* 11: air rate, 0 250k, 1 500k, 2 1M */
    unsigned char TXPOWER;      /* 12: transmit power code 0x00 (-50 dBm) .. 0x11 (8 dBm) */
    unsigned char WORKMOD;      /* 13: 'M' host mode, 'S' slave mode */
    unsigned char ENSRC;        /* 14: show source address */
    unsigned char DSTADR[3];    /* 15: destination address */
    unsigned char ENROUT;       /* 16: routing enable */
    unsigned char EN485;        /* 17: RS-485 enable */
    unsigned char ENUPD;        /* 18: remote upgrade allowed */
    unsigned char SSTRONG;      /* 19: received signal strength */
    unsigned char VER[5];       /* 20: firmware version, bytes 0, 2, 4 */
    unsigned char SNAPVER[3];   /* 21: script version, bytes 0, 2 */
} SnapRecord;
#pragma pack(pop)

/* ---- General ---------------------------------------------------------------------------------------------- */

/* Opens portName ("\\.\NAME" means /dev/NAME; "/path" as it stands) exclusively with the given line settings.
 * parity 0 none 1 odd 2 even 3 mark 4 space; stopBits 0 one 1 one-and-a-half 2 two; rtsControl 0 disable 1 enable
 * 2 handshake 3 toggle. readTimeoutMs bounds every later answer. An open port is closed first. */
RADLINK_API int QVZB_OpenCom(const char* portName, int baud, int byteSize, int parity, int stopBits, int reserved,
                             int rtsControl, int ctsFlow, int dsrFlow, unsigned int readTimeoutMs);
/* Closes the port; always 1. */
RADLINK_API int QVZB_CloseCom(void);
/* 1 when the port is open. */
RADLINK_API int QVZB_ComCheckOpen(void);
/* The code stored by the last function that reports errors. */
RADLINK_API int QVZB_GetLastError(void);

/* ---- Raw channel ------------------------------------------------------------------------------------------ */

/* Discards unread input, then writes length bytes; *count gets the bytes written. timeoutHint is ignored. */
RADLINK_API int QVZB_ORLNET_Write(const unsigned char* buffer, int length, unsigned int* count, int timeoutHint);
/* Reads one block: ends when capacity bytes arrived, at an inter-byte gap, or at the read time-out. */
RADLINK_API int QVZB_ORLNET_Read(unsigned char* buffer, int capacity, unsigned int* count, int timeoutHint);

/* ---- CEL -------------------------------------------------------------------------------------------------- */

/* Reads the local module's record (sets error 101 when the port is closed). */
RADLINK_API int QVZB_CEL_LoadInfo(void);
/* Copies property `property` of the loaded record into buffer; text properties need size > text length. */
RADLINK_API int QVZB_CEL_GetProperty(int property, void* buffer, unsigned int size);
/* Sets property `property` of the edit record (text properties copy 16 bytes). */
RADLINK_API int QVZB_CEL_SetProperty(int property, const void* buffer, unsigned int size);
/* Loads the local record and copies it into *record (81 bytes) whatever the load gave; the load's result. */
RADLINK_API int QVZB_CEL_GetPropertyAll(CelRecord* record);
/* Writes the edit record to the local module and restarts it. */
RADLINK_API int QVZB_CEL_SubmitInfo(void);
/* Restarts the local module. */
RADLINK_API int QVZB_CEL_ResetDev(void);
/* Restores the local module's factory settings and restarts it; the record must be loaded again. */
RADLINK_API int QVZB_CEL_ResetToDefault(void);
/* Searches channel (11..26) at air rate index; 1 when at least one new module joined the search list. */
RADLINK_API int QVZB_CEL_SearchDev(int channel, int rate);
/* Empties the search list. */
RADLINK_API int QVZB_CEL_ClearSearchArr(void);
/* Number of entries in the search list. */
RADLINK_API int QVZB_CEL_GetSearchDevCount(void);
/* Copies search-key field (1 word, 2 channel, 3 rate, 4 PAN ID, 5 address, 6 state) of entry index. */
RADLINK_API int QVZB_CEL_GetSearchDevProperty(int index, int field, void* buffer, unsigned int size);
/* Adds an entry by hand: 1 when an entry with the same key exists (nothing added), 0 when added. */
RADLINK_API int QVZB_CEL_HandAddDev(int searchWord, int channel, int rate, int panId, int address, int state);
/* Removes entry index; the entries behind it move down. */
RADLINK_API int QVZB_CEL_DeleteDev(int index);
/* Reads the record of remote module index through the local module. */
RADLINK_API int QVZB_CEL_LoadRemoteDevInfo(int index);
/* As QVZB_CEL_GetProperty on remote module index. */
RADLINK_API int QVZB_CEL_GetRemoteDevProperty(int index, int property, void* buffer, unsigned int size);
/* As QVZB_CEL_SetProperty on remote module index's edit record. */
RADLINK_API int QVZB_CEL_SetRemoteDevProperty(int index, int property, const void* buffer, unsigned int size);
/* Loads remote module index and copies its record into *record; the load's result. */
RADLINK_API int QVZB_CEL_GetRemoteDevPropertyAll(CelRecord* record, int index);
/* Writes remote module index's edit record and restarts it; its search key follows the new settings. */
RADLINK_API int QVZB_CEL_SubmitRemoteDevInfo(int index);
/* Restarts remote module index. */
RADLINK_API int QVZB_CEL_ResetRemoteDev(int index);
/* Restores remote module index's factory settings. */
RADLINK_API int QVZB_CEL_ResetRemoteToDefault(int index);
/* Sets all IO lines of the local module to output (direction 1) or input (any other value). */
RADLINK_API int QVZB_CEL_SetIODirAllLocal(int direction);
/* As QVZB_CEL_SetIODirAllLocal on remote module index. */
RADLINK_API int QVZB_CEL_SetIODirAllRemote(int direction, int index);
/* The local IO port masked with 1 << bit: 0 when low or on failure. */
RADLINK_API int QVZB_CEL_GetIOvalueLocal(int bit);
/* As QVZB_CEL_GetIOvalueLocal on remote module index. */
RADLINK_API int QVZB_CEL_GetIOvalueRemote(int bit, int index);
/* Sets (value 1) or clears (other values) IO line bit of the local module, keeping the other lines. */
RADLINK_API int QVZB_CEL_SetIOValueLocal(int value, int bit);
/* As QVZB_CEL_SetIOValueLocal on remote module index. */
RADLINK_API int QVZB_CEL_SetIOValueRemote(int value, int bit, int index);
/* Reads analogue input `channel` of the local module: 0..255, 0 on failure. */
RADLINK_API int QVZB_CEL_GetADvalueLocal(int channel);
/* As QVZB_CEL_GetADvalueLocal on remote module index. */
RADLINK_API int QVZB_CEL_GetADvalueRemote(int channel, int index);
/* Upgrades the local module's firmware from an image file; runState 0xAA first switches it to its boot loader. */
RADLINK_API int QVZB_CEL_UpdateWithFileNameLocal(const char* path, int runState, int address, int controlWord);
/* As QVZB_CEL_UpdateWithFileNameLocal on remote module index. */
RADLINK_API int QVZB_CEL_UpdateWithFileNameRemote(int index, const char* path, int runState, int address,
                                                  int controlWord);

/* ---- ORLNET ----------------------------------------------------------------------------------------------- */
/* Reads the local module's record (error 101 when the port is closed). */
RADLINK_API int QVZB_ORLNET_LoadInfo(void);
/* Loads the local record and copies it into *record (84 bytes) whatever the load gave; the load's result. */
RADLINK_API int QVZB_ORLNET_GetPropertyAll(OrlnetConfig* record);
/* Copies property `property` of the loaded record into buffer; text properties need size > text length. */
RADLINK_API int QVZB_ORLNET_GetProperty(int property, void* buffer, int size);
/* Sets property `property` of the edit record (text: up to 16 bytes, zero-padded); size is not used. */
RADLINK_API int QVZB_ORLNET_SetProperty(int property, const void* buffer, int size);
/* Writes the edit record to the local module and restarts it. */
RADLINK_API int QVZB_ORLNET_SubmitInfo(void);
/* Moves the local module to radio channel (11..26) until it restarts; the record is not changed. */
RADLINK_API int QVZB_ORLNET_SetlocalChannel(int channel);
/* Moves the local module to air rate code (0 250k, 1 500k, 2 1M) until it restarts. */
RADLINK_API int QVZB_ORLNET_SetlocalRate(int rate);
/* Restarts the local module. */
RADLINK_API int QVZB_ORLNET_ResetDev(void);
/* Restores the local module's factory settings and restarts it; the record must be loaded again. */
RADLINK_API int QVZB_ORLNET_ResetToDefault(void);
/* Reads the whole record of remote module index through the local module. */
RADLINK_API int QVZB_ORLNET_LoadRemoteDevInfo(int index);
/* Reads record bytes offset..offset+length-1 (within 0..78) of remote module index, then copies its record. */
RADLINK_API int QVZB_ORLNET_LoadRemoteRouteDevInfo(OrlnetConfig* record, int index, int offset, int length);
/* Reads remote module index: in spans for modules reached over a route, whole otherwise. */
RADLINK_API int QVZB_ORLNET_LoadRemoteDevInfoAll(int index);
/* Loads remote module index as QVZB_ORLNET_LoadRemoteDevInfoAll and copies its record; the load's result. */
RADLINK_API int QVZB_ORLNET_GetRemoteDevPropertyAll(OrlnetConfig* record, int index);
/* As QVZB_ORLNET_GetProperty on remote module index. */
RADLINK_API int QVZB_ORLNET_GetRemoteDevProperty(int index, int property, void* buffer, int size);
/* As QVZB_ORLNET_SetProperty on remote module index's edit record. */
RADLINK_API int QVZB_ORLNET_SetRemoteDevProperty(int index, int property, const void* buffer, int size);
/* Writes remote module index's edit record and restarts it; its search key follows the new settings. */
RADLINK_API int QVZB_ORLNET_SubmitRemoteDevInfo(int index);
/* Writes edit record bytes offset..offset+length-1 (within 0..78) of remote module index and restarts it. */
RADLINK_API int QVZB_ORLNET_SubmitRemoteRouteDevInfo(int index, int offset, int length);
/* Writes remote module index: in one span for modules reached over a route, whole otherwise. */
RADLINK_API int QVZB_ORLNET_SubmitRemoteDevInfoAll(int index);
/* 1 when remote module index was found by a search by identifier (reached over a route), else 0. */
RADLINK_API int QVZB_ORLNET_IsRouteDev(int index);
/* Restarts remote module index. */
RADLINK_API int QVZB_ORLNET_ResetRemoteDev(int index);
/* Restores remote module index's factory settings and restarts it. */
RADLINK_API int QVZB_ORLNET_ResetRemoteToDefault(int index);
/* Searches channel (11..26) at air rate code; 1 when at least one new module joined the search list. */
RADLINK_API int QVZB_ORLNET_SearchDev(int channel, int rate);
/* As QVZB_ORLNET_SearchDev, asking for the module with identifier id (16 bits); finds are reached over a route. */
RADLINK_API int QVZB_ORLNET_SearchDevWithID(int channel, int rate, int id);
/* Empties the search list. */
RADLINK_API void QVZB_ORLNET_ClearSearchArr(void);
/* Number of entries in the search list. */
RADLINK_API int QVZB_ORLNET_GetSearchDevCount(void);
/* Copies search-key field (1 word, 2 channel, 3 rate, 4 PAN ID, 5 address, 6 state) of entry index. */
RADLINK_API int QVZB_ORLNET_GetSearchDevProperty(int index, int field, void* buffer, int size);
/* Asks the local (table 0) or remote (other) route table for address: 1 with *route filled, 0 on no answer,
 * else the module's status code (0xA1 local look-up failed, 0xA2 no buffer, 0xA3 remote look-up timed out,
 * 0xA4 sending timed out, 0xA5 busy). */
RADLINK_API int QVZB_ORLNET_DetectRoute(int address, int table, OrlnetRoute* route);
/* Sets the local module's LEDs to state (bits 0-3); 1 when acknowledged. */
RADLINK_API int QVZB_ORLNET_TestLEDLocal(int state);
/* Sets the LEDs of the module at address, or of remote module index when address is 0, on the local module's
 * channel; 1 when acknowledged. */
RADLINK_API int QVZB_ORLNET_TestLEDRemote(int state, int index, int address);
/* Broadcasts LED state to every module; 1 when sent. */
RADLINK_API int QVZB_ORLNET_TestLEDBroadcast(int state);
/* As QVZB_ORLNET_TestLEDBroadcast, reporting a closed port (error 101). */
RADLINK_API int QVZB_ORLNET_SendBroadcast(int state);
/* Sends length (0..252) data bytes to the module at address; copies up to answerSize answer bytes and sets
 * *answerLength; 1 when the module reports delivery. */
RADLINK_API int QVZB_ORLNET_SendData(int address, const unsigned char* data, int length, unsigned char* answer,
                                     int answerSize, unsigned char* answerLength);
/* Upgrades the local module's firmware from an image file; runState 0xAA first switches it to upgrade mode. */
RADLINK_API int QVZB_ORLNET_UpdateWithFileNameLocal(const char* path, int runState, int address, int controlWord);
/* As QVZB_ORLNET_UpdateWithFileNameLocal on remote module index. */
RADLINK_API int QVZB_ORLNET_UpdateWithFileNameRemote(int index, const char* path, int runState, int address,
                                                     int controlWord);

/* ---- SNAP ------------------------------------------------------------------------------------------------- */
/* Reads the local module's record (sets error 101 when the port is closed). */
RADLINK_API int QVZB_SNAP_LoadInfo(void);
/* Copies property `property` (1..21, its field's width, host order) of the loaded record into buffer. */
RADLINK_API int QVZB_SNAP_GetProperty(int property, void* buffer, unsigned int size);
/* Sets property `property` of the edit record from buffer (the field's width). */
RADLINK_API int QVZB_SNAP_SetProperty(int property, const void* buffer, unsigned int size);
/* Loads the local record and copies it into *record (38 bytes) whatever the load gave; the load's result. */
RADLINK_API int QVZB_SNAP_GetPropertyAll(SnapRecord* record);
/* Writes the edit record to the local module and restarts it. */
RADLINK_API int QVZB_SNAP_SubmitInfo(void);
/* Searches channel index `channel` at air rate index `rate`; 1 when the search ran, whatever it found. */
RADLINK_API int QVZB_SNAP_SearchDev(int channel, int rate);
/* Empties the search list. */
RADLINK_API int QVZB_SNAP_ClearSearchArr(void);
/* Number of entries in the search list. */
RADLINK_API int QVZB_SNAP_GetSearchDevCount(void);
/* Copies search-key field (1 MAC, 8 bytes; 2 NETID, 2; 3 CHANNAL, 1) of entry index. */
RADLINK_API int QVZB_SNAP_GetSearchDevProperty(int index, int field, void* buffer, unsigned int size);
/* Reads the record of remote module index through the local module. */
RADLINK_API int QVZB_SNAP_LoadRemoteDevInfo(int index);
/* As QVZB_SNAP_GetProperty on remote module index (error 102 until it is loaded). */
RADLINK_API int QVZB_SNAP_GetRemoteDevProperty(int index, int property, void* buffer, unsigned int size);
/* As QVZB_SNAP_SetProperty on remote module index's edit record. */
RADLINK_API int QVZB_SNAP_SetRemoteDevProperty(int index, int property, const void* buffer, unsigned int size);
/* Loads remote module index and copies its record into *record whatever the load gave; the load's result. */
RADLINK_API int QVZB_SNAP_GetRemoteDevPropertyAll(SnapRecord* record, int index);
/* Writes loaded remote module index's edit record and restarts it (error 102 when never loaded). */
RADLINK_API int QVZB_SNAP_SubmitRemoteDevInfo(int index);
/* Restarts remote module index, on the channel the local module is on. */
RADLINK_API int QVZB_SNAP_ResetRemoteDev(int index);
/* Restores remote module index's factory settings and restarts it. */
RADLINK_API int QVZB_SNAP_ResetRemoteToDefault(int index);
/* Copies the local NETID register's value (at most size bytes) into buffer. */
RADLINK_API int QVZB_SNAP_GetLocalNetID(unsigned char* buffer, int size);
/* Copies remote module index's NETID register reply from its status byte on (at most size bytes). */
RADLINK_API int QVZB_SNAP_GetRemoteNetID(int index, unsigned char* buffer, int size);
/* Writes the local NETID register: data is 2 bytes, big-endian. */
RADLINK_API int QVZB_SNAP_SetLocalNetID(const unsigned char* data);
/* Writes remote module index's NETID register: data is 2 bytes, big-endian. */
RADLINK_API int QVZB_SNAP_SetRemoteNetID(int index, const unsigned char* data);
/* Copies the local destination address register's value (at most size bytes) into buffer. */
RADLINK_API int QVZB_SNAP_GetLocalDstAdr(unsigned char* buffer, int size);
/* Copies remote module index's destination address reply from its status byte on (at most size bytes). */
RADLINK_API int QVZB_SNAP_GetRemoteDstAdr(int index, unsigned char* buffer, int size);
/* Writes the local destination address register: data is 3 bytes. */
RADLINK_API int QVZB_SNAP_SetLocalDstAdr(const unsigned char* data);
/* Writes remote module index's destination address register: data is 3 bytes. */
RADLINK_API int QVZB_SNAP_SetRemoteDstAdr(int index, const unsigned char* data);
/* Copies the local work mode register's value (at most size bytes) into buffer. */
RADLINK_API int QVZB_SNAP_GetLocalWorkMode(unsigned char* buffer, int size);
/* Copies remote module index's work mode reply from its status byte on (at most size bytes). */
RADLINK_API int QVZB_SNAP_GetRemoteWorkMode(int index, unsigned char* buffer, int size);
/* Writes the local work mode register: data is 1 byte, 'M' or 'S'. */
RADLINK_API int QVZB_SNAP_SetLocalWorkMode(const unsigned char* data);
/* Writes remote module index's work mode register: data is 1 byte. */
RADLINK_API int QVZB_SNAP_SetRemoteWorkMode(int index, const unsigned char* data);
/* Sets the local module's channel: data is 1 byte, the channel index. */
RADLINK_API int QVZB_SNAP_SetLocalChannel(const unsigned char* data);
/* Sets remote module index's channel: data is 1 byte, the channel index. */
RADLINK_API int QVZB_SNAP_SetRemoteChannel(int index, const unsigned char* data);
/* The local module's signal strength byte, 0 on failure. */
RADLINK_API int QVZB_SNAP_GetLocalSignalPower(void);
/* Remote module index's signal strength byte, 0 on failure. */
RADLINK_API int QVZB_SNAP_GetRemoteSignalPower(int index);
/* Copies the local air rate index (1 byte) into buffer. */
RADLINK_API int QVZB_SNAP_GetLocalRate(unsigned char* buffer);
/* Copies remote module index's air rate index (1 byte) into buffer. */
RADLINK_API int QVZB_SNAP_GetRemoteRate(int index, unsigned char* buffer);
/* Sets the local air rate: data is 1 byte, the rate index; no record changes. */
RADLINK_API int QVZB_SNAP_SetLocalRate(const unsigned char* data);
/* Sets remote module index's air rate: data is 1 byte, the rate index. */
RADLINK_API int QVZB_SNAP_SetRemoteRate(int index, const unsigned char* data);
/* The local module's 16-bit analogue input `input`, 0 on failure. */
RADLINK_API int QVZB_SNAP_GetLocalADvalue(int input);
/* Remote module index's 16-bit analogue input `input`, 0 on failure. */
RADLINK_API int QVZB_SNAP_GetRemoteADvalue(int index, int input);
/* The local module's IO line `line` value byte, 0 on failure. */
RADLINK_API int QVZB_SNAP_GetLocalIOvalue(int line);
/* Remote module index's IO line `line` value byte, 0 on failure. */
RADLINK_API int QVZB_SNAP_GetRemoteIOvalue(int index, int line);
/* Sets a local IO line's direction: lineAndDirection is 2 bytes (line, direction). */
RADLINK_API int QVZB_SNAP_SetLocalIODirection(const unsigned char* lineAndDirection);
/* Sets an IO line's direction on remote module index: 2 bytes (line, direction). */
RADLINK_API int QVZB_SNAP_SetRemoteIODirection(int index, const unsigned char* lineAndDirection);
/* Sets a local IO line: lineAndValue is 2 bytes (line, value). */
RADLINK_API int QVZB_SNAP_SetLocalIOvalue(const unsigned char* lineAndValue);
/* Sets an IO line on remote module index: 2 bytes (line, value). */
RADLINK_API int QVZB_SNAP_SetRemoteIOvalue(int index, const unsigned char* lineAndValue);
/* Allows (1) or forbids (0) remote upgrade of the local module: data is 1 byte. */
RADLINK_API int QVZB_SNAP_SetLocalUpdateEn(const unsigned char* data);
/* Allows (1) or forbids (0) remote upgrade of remote module index: data is 1 byte. */
RADLINK_API int QVZB_SNAP_SetRemoteUpdateEn(int index, const unsigned char* data);
/* Reads the local EEPROM at address: the whole reply (echo and status included) cut to size; *length = copied. */
RADLINK_API int QVZB_SNAP_GetLocalEEPROM(int address, unsigned char* buffer, int size, unsigned int* length);
/* As QVZB_SNAP_GetLocalEEPROM on remote module index. */
RADLINK_API int QVZB_SNAP_GetRemoteEEPROM(int index, int address, unsigned char* buffer, int size,
                                          unsigned int* length);
/* Writes length bytes to the local EEPROM at address, then restarts the local module; the restart's result. */
RADLINK_API int QVZB_SNAP_SetLocalEEPROM(int address, const unsigned char* data, int length);
/* Writes length bytes to remote module index's EEPROM at address, then restarts the local module. */
RADLINK_API int QVZB_SNAP_SetRemoteEEPROM(int index, int address, const unsigned char* data, int length);
/* Copies the local module's password bytes (12) into buffer. */
RADLINK_API int QVZB_SNAP_GetLocalPwd(char* buffer);
/* Copies remote module index's password bytes (9) into buffer. */
RADLINK_API int QVZB_SNAP_GetRemotePwd(int index, char* buffer);
/* Replaces the local password by newPassword (at most 9 bytes) when oldPassword matches the module's. */
RADLINK_API int QVZB_SNAP_SetLocalPwd(const char* oldPassword, const char* newPassword);
/* As QVZB_SNAP_SetLocalPwd on remote module index. */
RADLINK_API int QVZB_SNAP_SetRemotePwd(int index, const char* oldPassword, const char* newPassword);
/* Restarts the local module; 1 when the command was written. */
RADLINK_API int QVZB_SNAP_ResetDev(void);
/* Restarts the local module; the same as QVZB_SNAP_ResetDev. */
RADLINK_API int QVZB_SNAP_SetLocalReset(void);
/* Restarts remote module index untuned; as QVZB_SNAP_ResetRemoteDev without error codes. */
RADLINK_API int QVZB_SNAP_SetRemoteReset(int index);
/* Restores the local module's factory settings and restarts it. */
RADLINK_API int QVZB_SNAP_ResetToDefault(void);
/* Restores the local module's factory settings; the same as QVZB_SNAP_ResetToDefault. */
RADLINK_API int QVZB_SNAP_SetLocalResetToDefault(void);
/* As QVZB_SNAP_ResetRemoteToDefault without error codes. */
RADLINK_API int QVZB_SNAP_SetRemoteResetToDefault(int index);

/* ---- Extensions (RADLINK_) ---------------------------------------------------------------------------------
 * Functions beyond the QVZB_ set. The QVZB_ functions above behave as they always did. */

/* Results of the upgrades with progress. */
#define RADLINK_UPGRADE_FAILED      0 /* the module did not take the image (or the port is closed) */
#define RADLINK_UPGRADE_DONE        1 /* the whole image was accepted and the closing command succeeded */
#define RADLINK_UPGRADE_STOPPED     2 /* the progress callback asked to stop; ended as after a refused block */
#define RADLINK_UPGRADE_NO_FILE     3 /* refused, nothing sent: no usable name, no regular file, unreadable */
#define RADLINK_UPGRADE_SHORT_IMAGE 4 /* refused, nothing sent: shorter than its header or its header's regions */
#define RADLINK_UPGRADE_BAD_INDEX   5 /* refused, nothing sent: index is neither -1 nor in the search list */

/* Progress of an upgrade: called before anything is sent (accepted 0), then after every block the module accepted
 * (accepted 1 .. total, total = the image's block count). Return 0 to ask the upgrade to stop before its next
 * block: it then ends as after a block refused three times (CEL: end of upgrade and restart; ORLNET: the module
 * stays in upgrade mode) and gives RADLINK_UPGRADE_STOPPED. A callback that answers 0 at once checks the image and
 * the index without sending anything. Called on the caller's thread from inside the upgrade: it must not call the
 * library. */
typedef int (*RADLINK_UpgradeProgress)(void* context, int accepted, int total);

/* The CEL firmware upgrade of QVZB_CEL_UpdateWithFileNameLocal (index -1) or ...Remote (index), the same frames
 * and pauses, reporting to progress (may be null) with context; a RADLINK_UPGRADE_ result. */
RADLINK_API int RADLINK_CEL_UpdateWithProgress(int index, const char* path, int runState, int address,
                                               int controlWord, RADLINK_UpgradeProgress progress, void* context);
/* As RADLINK_CEL_UpdateWithProgress for QVZB_ORLNET_UpdateWithFileNameLocal and ...Remote. */
RADLINK_API int RADLINK_ORLNET_UpdateWithProgress(int index, const char* path, int runState, int address,
                                                  int controlWord, RADLINK_UpgradeProgress progress, void* context);

/* Frame trace. */
#define RADLINK_TRACE_TEXT   0 /* one line per block: seconds, direction, length, bytes, command */
#define RADLINK_TRACE_PCAPNG 1 /* pcapng, link type USER0: a direction byte (0 to the module), then the bytes */

/* Records every block written to and read from the module into path (replaced), with monotonic time, direction,
 * bytes and the command they name; a NULL or empty path stops the trace. The environment variable RADLINK_TRACE
 * starts one at the first exchange (pcapng when the name ends in ".pcapng"). 0 when the file cannot be made. */
RADLINK_API int RADLINK_SetTrace(const char* path, int format);

#ifdef __cplusplus
}
#endif

#endif
