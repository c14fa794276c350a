#include "tools/LibusbBridge.h"

#include <libusb.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr uint16_t kSiliconLabsVendor = 0x10C4;
// The product ids Silicon Labs gives its CP210x bridges (CP2101-4/CP2102N/CP2109, CP2105, CP2108).
constexpr std::array<uint16_t, 7> kCp210xProducts = {0xEA60, 0xEA61, 0xEA63, 0xEA70, 0xEA71, 0xEA7A, 0xEA7B};

// CP210x configuration requests: vendor-specific, to the device.
constexpr uint8_t kVendorIn = LIBUSB_ENDPOINT_IN | static_cast<uint8_t>(LIBUSB_REQUEST_TYPE_VENDOR) |
                              static_cast<uint8_t>(LIBUSB_RECIPIENT_DEVICE);
constexpr uint8_t kVendorOut = LIBUSB_ENDPOINT_OUT | static_cast<uint8_t>(LIBUSB_REQUEST_TYPE_VENDOR) |
                               static_cast<uint8_t>(LIBUSB_RECIPIENT_DEVICE);
constexpr uint8_t kConfigRequest = 0xFF;
constexpr uint16_t kSerialNumberValue = 0x3704;
constexpr uint16_t kLockValue = 0x370A;
constexpr uint8_t kUnlocked = 0xFF;
constexpr unsigned kTimeoutMs = 1000;

constexpr uint8_t kStringDescriptorType = 3;

UsbStatus StatusOf(int libusbError) {
    switch (libusbError) {
    case LIBUSB_ERROR_ACCESS:
        return UsbStatus::Access;
    case LIBUSB_ERROR_NO_DEVICE:
    case LIBUSB_ERROR_NOT_FOUND:
        return UsbStatus::NoDevice;
    default:
        return UsbStatus::Failed;
    }
}

bool IsCp210x(libusb_device* device) {
    libusb_device_descriptor d{};
    if (libusb_get_device_descriptor(device, &d) != 0) return false;
    return d.idVendor == kSiliconLabsVendor &&
           std::find(kCp210xProducts.begin(), kCp210xProducts.end(), d.idProduct) != kCp210xProducts.end();
}

class LibusbBridge final : public UsbBridge {
public:
    LibusbBridge() { initResult_ = libusb_init(&context_); }

    ~LibusbBridge() override {
        close();
        releaseDevices();
        if (initResult_ == 0) libusb_exit(context_);
    }

    LibusbBridge(const LibusbBridge&) = delete;
    LibusbBridge& operator=(const LibusbBridge&) = delete;

    UsbStatus count(int& bridges) override {
        bridges = 0;
        if (initResult_ != 0) return UsbStatus::Unavailable;
        close();
        releaseDevices();
        libusb_device** list = nullptr;
        ssize_t n = libusb_get_device_list(context_, &list);
        if (n < 0) return StatusOf(static_cast<int>(n));
        for (ssize_t i = 0; i < n; ++i)
            if (IsCp210x(list[i])) devices_.push_back(libusb_ref_device(list[i]));
        libusb_free_device_list(list, 1);
        bridges = static_cast<int>(devices_.size());
        return UsbStatus::Ok;
    }

    UsbStatus probe(int index) override {
        if (!inRange(index)) return UsbStatus::NoDevice;
        libusb_device_descriptor d{};
        return libusb_get_device_descriptor(devices_[index], &d) == 0 ? UsbStatus::Ok : UsbStatus::NoDevice;
    }

    UsbStatus open(int index) override {
        close();
        if (!inRange(index)) return UsbStatus::NoDevice;
        int r = libusb_open(devices_[index], &handle_);
        if (r != 0) {
            handle_ = nullptr;
            return StatusOf(r);
        }
        return UsbStatus::Ok;
    }

    UsbStatus readIdentity(QString& identity) override {
        identity.clear();
        if (!handle_) return UsbStatus::NoDevice;
        libusb_device_descriptor d{};
        if (int r = libusb_get_device_descriptor(libusb_get_device(handle_), &d); r != 0) return StatusOf(r);
        if (d.iSerialNumber == 0) return UsbStatus::Ok;  // no serial-number string: an empty identity

        std::array<unsigned char, 255> buffer{};
        const auto size = static_cast<int>(buffer.size());
        int r = libusb_get_string_descriptor(handle_, 0, 0, buffer.data(), size);  // supported languages
        if (r < 0) return StatusOf(r);
        if (r < 4) return UsbStatus::Failed;
        const auto language = static_cast<uint16_t>(buffer[2] | buffer[3] << 8);
        r = libusb_get_string_descriptor(handle_, d.iSerialNumber, language, buffer.data(), size);
        if (r < 0) return StatusOf(r);
        std::optional<QString> text = DecodeUsbString(buffer.data(), r);
        if (!text) return UsbStatus::Failed;
        identity = *text;
        return UsbStatus::Ok;
    }

    UsbStatus readLocked(bool& locked) override {
        locked = true;
        if (!handle_) return UsbStatus::NoDevice;
        unsigned char value = 0;
        int r = libusb_control_transfer(handle_, kVendorIn, kConfigRequest, kLockValue, 0, &value, 1, kTimeoutMs);
        if (r < 0) return StatusOf(r);
        if (r != 1) return UsbStatus::Failed;
        locked = value != kUnlocked;
        return UsbStatus::Ok;
    }

    UsbStatus writeIdentity(const QString& identity) override {
        if (!handle_) return UsbStatus::NoDevice;
        std::optional<QByteArray> descriptor = EncodeUsbString(identity);
        if (!descriptor) return UsbStatus::TooLong;
        const auto length = static_cast<uint16_t>(descriptor->size());
        int r = libusb_control_transfer(handle_, kVendorOut, kConfigRequest, kSerialNumberValue, 0,
                                        reinterpret_cast<unsigned char*>(descriptor->data()), length, kTimeoutMs);
        if (r < 0) return StatusOf(r);
        return r == length ? UsbStatus::Ok : UsbStatus::Failed;
    }

    void reset() override {
        if (handle_) libusb_reset_device(handle_);  // usually "not found": the bridge re-enumerates as a new device
    }

    void close() override {
        if (handle_) libusb_close(handle_);
        handle_ = nullptr;
    }

private:
    bool inRange(int index) const { return index >= 0 && index < static_cast<int>(devices_.size()); }

    void releaseDevices() {
        for (libusb_device* d : devices_) libusb_unref_device(d);
        devices_.clear();
    }

    libusb_context* context_ = nullptr;
    int initResult_ = LIBUSB_ERROR_OTHER;
    std::vector<libusb_device*> devices_;
    libusb_device_handle* handle_ = nullptr;
};

}  // namespace

std::unique_ptr<UsbBridge> MakeLibusbBridge() { return std::make_unique<LibusbBridge>(); }

std::optional<QByteArray> EncodeUsbString(const QString& text) {
    if (text.size() > UsbBridge::kMaxIdentityLength) return std::nullopt;
    QByteArray descriptor;
    descriptor.append(static_cast<char>(2 + 2 * text.size()));
    descriptor.append(static_cast<char>(kStringDescriptorType));
    for (QChar c : text) {
        descriptor.append(static_cast<char>(c.unicode() & 0xFF));
        descriptor.append(static_cast<char>(c.unicode() >> 8));
    }
    return descriptor;
}

std::optional<QString> DecodeUsbString(const unsigned char* data, int received) {
    if (received < 2 || data[1] != kStringDescriptorType || data[0] < 2) return std::nullopt;
    const int length = std::min<int>(data[0], received);
    QString text;
    for (int i = 2; i + 1 < length; i += 2) text.append(QChar(static_cast<char16_t>(data[i] | data[i + 1] << 8)));
    return text;
}
