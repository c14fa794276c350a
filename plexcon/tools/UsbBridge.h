// The USB-to-serial bridges (CP210x) as the identity dialog needs them. Bridges are numbered 0.. in the order of the
// last count(); at most one bridge is open at a time, and every operation but count/probe/open acts on it.
// Production talks to the hardware through libusb (MakeLibusbBridge); tests use a fake.
#pragma once

#include <QString>

enum class UsbStatus {
    Ok,
    Unavailable,  // no USB access on this machine (the USB library could not start)
    NoDevice,     // no such bridge number, or the bridge has gone
    Access,       // the user may not open the device
    Locked,       // the bridge's configuration is locked: its identity cannot be written
    TooLong,      // the identity exceeds what a bridge holds
    Failed,       // the transfer failed
};

class UsbBridge {
public:
    // Longest identity (serial-number string) a bridge stores, in UTF-16 characters.
    static constexpr int kMaxIdentityLength = 63;

    virtual ~UsbBridge() = default;

    // Enumerates the attached bridges afresh.
    virtual UsbStatus count(int& bridges) = 0;
    // Presence test of bridge `index` of the last count.
    virtual UsbStatus probe(int index) = 0;
    // Opens bridge `index`, closing any bridge that is open.
    virtual UsbStatus open(int index) = 0;
    // The identity string of the open bridge.
    virtual UsbStatus readIdentity(QString& identity) = 0;
    // Whether the open bridge's configuration is locked (one-time programmable parts).
    virtual UsbStatus readLocked(bool& locked) = 0;
    virtual UsbStatus writeIdentity(const QString& identity) = 0;
    // Resets the open bridge so that it re-enumerates with its new identity. Best effort: the device leaves the
    // bus, so there is nothing to report.
    virtual void reset() = 0;
    // Closes the open bridge, if any.
    virtual void close() = 0;
};
