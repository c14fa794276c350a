// CP210x bridges through libusb-1.0. The identity is the bridge's serial-number string: read through the standard
// string descriptor, written with the CP210x configuration request (vendor request 0xFF, value 0x3704) after
// checking the lock byte (value 0x370A), then made visible by a device reset.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

#include "tools/UsbBridge.h"

std::unique_ptr<UsbBridge> MakeLibusbBridge();

// A USB string descriptor (length, type 3, UTF-16LE text) for `text`; none when it exceeds
// UsbBridge::kMaxIdentityLength characters.
std::optional<QByteArray> EncodeUsbString(const QString& text);
// The text of a USB string descriptor as received (`received` bytes); none when it is not one.
std::optional<QString> DecodeUsbString(const unsigned char* data, int received);
