// A scripted set of CP210x bridges for the identity dialog: each bridge can fail any step, and the fake records
// what reached it (writes, resets) and checks that at most one bridge is open at a time.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "tools/UsbBridge.h"

struct FakeBridgeDevice {
    QString identity;
    bool present = true;   // passes the presence test
    bool openable = true;
    bool readable = true;  // the identity can be read
    bool locked = false;
    bool lockReadable = true;
    bool writable = true;
};

class FakeUsbBridge : public UsbBridge {
public:
    UsbStatus count(int& bridges) override {
        ++counts;
        bridges = countFails ? 0 : static_cast<int>(devices.size());
        return countFails ? UsbStatus::Unavailable : UsbStatus::Ok;
    }
    UsbStatus probe(int index) override {
        return valid(index) && devices[index].present ? UsbStatus::Ok : UsbStatus::NoDevice;
    }
    UsbStatus open(int index) override {
        if (openIndex >= 0) ++overlappingOpens;
        openIndex = -1;
        if (!valid(index)) return UsbStatus::NoDevice;
        if (!devices[index].openable) return UsbStatus::Access;
        openIndex = index;
        opened.push_back(index);
        return UsbStatus::Ok;
    }
    UsbStatus readIdentity(QString& identity) override {
        if (openIndex < 0) return UsbStatus::NoDevice;
        if (!devices[openIndex].readable) return UsbStatus::Failed;
        identity = devices[openIndex].identity;
        return UsbStatus::Ok;
    }
    UsbStatus readLocked(bool& locked) override {
        if (openIndex < 0) return UsbStatus::NoDevice;
        if (!devices[openIndex].lockReadable) return UsbStatus::Failed;
        locked = devices[openIndex].locked;
        return UsbStatus::Ok;
    }
    UsbStatus writeIdentity(const QString& identity) override {
        if (openIndex < 0) return UsbStatus::NoDevice;
        if (identity.size() > kMaxIdentityLength) return UsbStatus::TooLong;
        const FakeBridgeDevice& d = devices[openIndex];
        if (d.locked || !d.writable) return UsbStatus::Failed;
        devices[openIndex].identity = identity;
        written << identity;
        return UsbStatus::Ok;
    }
    void reset() override {
        if (openIndex >= 0) resets.push_back(openIndex);
    }
    void close() override { openIndex = -1; }

    std::vector<FakeBridgeDevice> devices;
    bool countFails = false;

    int openIndex = -1;
    int overlappingOpens = 0;
    int counts = 0;
    std::vector<int> opened;
    std::vector<int> resets;
    QStringList written;

private:
    bool valid(int index) const { return index >= 0 && index < static_cast<int>(devices.size()); }
};
