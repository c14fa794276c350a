// The registers as the library uses them, one table for the local module (address 00 00 00) and one for remote
// modules: the request each command sends and the rule its reply must pass. The two tables differ on purpose.
#pragma once

#include <cstdint>
#include <span>

#include "snap/SnapFrames.h"

namespace radlink::snap {

enum class Command : uint8_t {
    ReadConfig,
    WriteConfig,
    ReadNetId,
    WriteNetId,
    ReadDstAdr,
    WriteDstAdr,
    ReadWorkMode,
    WriteWorkMode,
    WriteChannel,
    ReadSignal,
    ReadAnalog,
    WriteIoDirection,
    ReadIo,
    WriteIo,
    ReadRate,
    WriteRate,
    Restart,
    ReadEeprom,
    WriteEeprom,
    FactoryDefaults,
    ReadPassword,
    WritePassword,
    WriteUpdateEnable,
    Count_
};

enum class Side : uint8_t { Local, Remote };

struct RegisterUse {
    Command command;
    uint8_t reg;
    uint8_t operation;
    std::span<const uint8_t> prefix;  // sent in front of the caller's data
    ReplyRule rule;
    bool readEvenIfUnsent;  // a failed write still goes on to the read (and then fails there)
};

const RegisterUse& FindRegisterUse(Command command, Side side);

// The request of `command` with the caller's data.
Bytes CommandFrame(const RegisterUse& use, const Address& to, std::span<const uint8_t> data = {});

}  // namespace radlink::snap
