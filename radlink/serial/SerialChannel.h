// The library's one serial port: termios in raw mode, exclusive open, reads that end on buffer full, on the
// inter-byte gap after the first byte, or on the total time-out.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace radlink {

struct LineSettings {
    int baud = 9600;
    int byteSize = 8;
    int parity = 0;      // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int stopBits = 0;    // 0 one, 1 one and a half, 2 two
    int rtsControl = 1;  // 0 disable, 1 enable, 2 handshake, 3 toggle
    int ctsFlow = 0;
    int dsrFlow = 0;
    int dtrControl = 1;  // Open always ends with 0 (disable)
};

struct Timeouts {
    uint32_t readInterval = 0xFFFFFFFFu;
    uint32_t readTotalMultiplier = 0;
    uint32_t readTotalConstant = 0;
    uint32_t writeTotalMultiplier = 0;
    uint32_t writeTotalConstant = 5000;
};

class SerialChannel {
public:
    SerialChannel() = default;
    ~SerialChannel();
    SerialChannel(const SerialChannel&) = delete;
    SerialChannel& operator=(const SerialChannel&) = delete;

    int Open(const char* portName, int baud, int byteSize, int parity, int stopBits, int reserved, int rtsControl,
             int ctsFlow, int dsrFlow, uint32_t readTimeoutMs, uint32_t writeTimeoutMs);
    void Close();
    // Open, and the device still there: a port whose device went away (an unplugged USB bridge, a closed pty
    // master) is closed on the spot, as it is by the read or write that finds it gone.
    bool IsOpen();
    int Write(const uint8_t* data, uint32_t length, uint32_t* bytesWritten, int timeoutHint);
    int Read(uint8_t* buffer, uint32_t capacity, uint32_t* bytesRead, int timeoutHint);
    // Write of all of `bytes`: whether every one went out.
    bool WriteAll(std::span<const uint8_t> bytes, int timeoutHint);
    // Read of one block of at most `capacity` bytes: the bytes, or nothing when the read failed.
    std::optional<std::vector<uint8_t>> ReadBlock(uint32_t capacity, int timeoutHint);

    const std::string& portName() const { return portName_; }
    const Timeouts& timeouts() const { return timeouts_; }
    const LineSettings& lineSettings() const { return line_; }

    // Interval time-out for a baud rate: about 40 characters of 10 bits, at least 1 ms.
    static uint32_t IntervalTimeoutMs(int baud);
    // "\\.\NAME" -> "/dev/NAME"; a path starting with '/' stays; anything else is taken under /dev.
    static std::string DevicePath(const char* portName);

private:
    bool applyLineSettings();
    // The line reports a hang-up or an error: its device is gone.
    bool HungUp() const;
    // Whether a failed read or write (its result) found the device gone; reads errno first.
    bool Gone(ssize_t result) const;
    // Closes the port whose device went away; 0, the failed call's result.
    int Lost();
    void driveModemLines();

    std::string portName_;
    Timeouts timeouts_;
    LineSettings line_;
    int fd_ = -1;
};

}  // namespace radlink
