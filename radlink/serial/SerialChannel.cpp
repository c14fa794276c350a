#include "serial/SerialChannel.h"

#include "core/FrameTrace.h"
#include "core/Pause.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace radlink {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kPortNameCapacity = 260;

bool speedFor(int baud, speed_t& speed) {
    static constexpr struct { int baud; speed_t code; } kSpeeds[] = {
        {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
        {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
        {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
        {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
        {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {1152000, B1152000},
        {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
        {3500000, B3500000}, {4000000, B4000000},
    };
    for (const auto& s : kSpeeds) {
        if (s.baud == baud) {
            speed = s.code;
            return true;
        }
    }
    return false;
}

// Waits until fd is ready for `events` or the deadline passes; true when ready. Sleeps in ppoll until kSpinMargin
// before the deadline, then polls without sleeping, so a gap or time-out ends when it is due, not a wake-up later.
bool waitReady(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto now = Clock::now();
        auto left = deadline - kSpinMargin - now;
        const bool spinning = left <= Clock::duration::zero();
        if (spinning) left = Clock::duration::zero();
        auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        pollfd p{fd, events, 0};
        int r = ppoll(&p, 1, &ts, nullptr);
        if (r > 0) return true;
        if (r < 0 && errno != EINTR) return false;
        if (r == 0 && spinning) {
            if (now >= deadline) return false;
            std::this_thread::yield();
        }
    }
}

}  // namespace

SerialChannel::~SerialChannel() { Close(); }

uint32_t SerialChannel::IntervalTimeoutMs(int baud) {
    if (baud <= 0) return 1;
    double x = (1.0 / baud) * 10 * 10 * 1000 * 4;
    float f = static_cast<float>(x);
    return static_cast<uint32_t>(std::max(1.0f, f));
}

std::string SerialChannel::DevicePath(const char* portName) {
    std::string name(portName);
    static constexpr std::string_view kPrefix = "\\\\.\\";
    if (name.rfind(kPrefix, 0) == 0) return "/dev/" + name.substr(kPrefix.size());
    if (!name.empty() && name[0] == '/') return name;
    return "/dev/" + name;
}

int SerialChannel::Open(const char* portName, int baud, int byteSize, int parity, int stopBits, int /*reserved*/,
                        int rtsControl, int ctsFlow, int dsrFlow, uint32_t readTimeoutMs,
                        uint32_t writeTimeoutMs) {
    if (IsOpen()) Close();
    // A name that does not fit is refused whole: cut short it could name another device.
    if (portName == nullptr || strnlen(portName, kPortNameCapacity) >= kPortNameCapacity) return 0;
    portName_.assign(portName);

    int fd = ::open(DevicePath(portName_.c_str()).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 0;
    // Exclusive: flock stops a second opener even when it is root; TIOCEXCL stops plain opens by others.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !isatty(fd)) {
        ::close(fd);
        return 0;
    }
    ::ioctl(fd, TIOCEXCL);
    fd_ = fd;

    line_ = LineSettings{baud, byteSize, parity, stopBits, rtsControl & 3, ctsFlow & 1, dsrFlow & 1, 0};
    if (!applyLineSettings()) {
        Close();
        return 0;
    }
    driveModemLines();
    timeouts_ = Timeouts{IntervalTimeoutMs(baud), 0, readTimeoutMs, 0, writeTimeoutMs};
    ::tcflush(fd_, TCIOFLUSH);
    return 1;
}

bool SerialChannel::applyLineSettings() {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    speed_t speed;
    if (!speedFor(line_.baud, speed)) return false;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return false;

    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= CREAD | CLOCAL;
    switch (line_.byteSize) {
        case 5: tio.c_cflag |= CS5; break;
        case 6: tio.c_cflag |= CS6; break;
        case 7: tio.c_cflag |= CS7; break;
        case 8: tio.c_cflag |= CS8; break;
        default: return false;
    }
    switch (line_.parity) {
        case 0: break;
        case 1: tio.c_cflag |= PARENB | PARODD; break;
        case 2: tio.c_cflag |= PARENB; break;
        case 3: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
        case 4: tio.c_cflag |= PARENB | CMSPAR; break;
        default: return false;
    }
    switch (line_.stopBits) {
        case 0: break;
        case 1:  // one and a half has no termios code: two is the nearest
        case 2: tio.c_cflag |= CSTOPB; break;
        default: return false;
    }
    if (line_.ctsFlow || line_.rtsControl == 2) tio.c_cflag |= CRTSCTS;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(fd_, TCSANOW, &tio) == 0) return true;
    // A device that cannot take some of the bits keeps its own (a pty is always 8 bits without parity), and
    // glibc reports EINVAL when nothing changed; the port is usable as long as it runs at the requested rate.
    termios now{};
    return errno == EINVAL && ::tcgetattr(fd_, &now) == 0 && ::cfgetospeed(&now) == speed;
}

void SerialChannel::driveModemLines() {
    // DTR control ends as disable. RTS: disable clears it, enable and toggle raise it, handshake leaves it to
    // the driver. On a pty these ioctls fail with ENOTTY: there are no modem lines, which is no error.
    int dtr = TIOCM_DTR;
    ::ioctl(fd_, TIOCMBIC, &dtr);
    int rts = TIOCM_RTS;
    if (line_.rtsControl == 0) ::ioctl(fd_, TIOCMBIC, &rts);
    else if (line_.rtsControl != 2) ::ioctl(fd_, TIOCMBIS, &rts);
}

void SerialChannel::Close() {
    if (fd_ >= 0) {
        ::close(fd_);  // releases the flock
        fd_ = -1;
    }
}

int SerialChannel::Write(const uint8_t* data, uint32_t length, uint32_t* bytesWritten, int /*timeoutHint*/) {
    uint32_t dummy = 0;
    uint32_t& written = bytesWritten ? *bytesWritten : dummy;
    written = 0;
    if (!IsOpen()) return 0;
    ::tcflush(fd_, TCIFLUSH);  // a late answer to an earlier request can never answer this one
    if (length > 0 && data == nullptr) return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeouts_.writeTotalConstant);
    while (written < length) {
        ssize_t n = ::write(fd_, data + written, length - written);
        if (n > 0) {
            written += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return Gone(n) ? Lost() : 0;
        if (!waitReady(fd_, POLLOUT, deadline)) return HungUp() ? Lost() : 0;
    }
    return 1;
}

int SerialChannel::Read(uint8_t* buffer, uint32_t capacity, uint32_t* bytesRead, int /*timeoutHint*/) {
    uint32_t dummy = 0;
    uint32_t& got = bytesRead ? *bytesRead : dummy;
    got = 0;
    if (!IsOpen()) return 0;
    if (capacity > 0 && buffer == nullptr) return 0;
    const auto start = Clock::now();
    const auto totalDeadline = start + std::chrono::milliseconds(timeouts_.readTotalConstant);
    const auto interval = std::chrono::milliseconds(timeouts_.readInterval);
    Clock::time_point deadline = totalDeadline;
    while (got < capacity) {
        if (!waitReady(fd_, POLLIN, deadline)) {
            if (HungUp()) return Lost();
            break;  // gap or total time-out: the block is complete
        }
        ssize_t n = ::read(fd_, buffer + got, capacity - got);
        if (n > 0) {
            got += static_cast<uint32_t>(n);
            deadline = std::min(totalDeadline, Clock::now() + interval);
            continue;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        return Gone(n) ? Lost() : 0;
    }
    return 1;
}

bool SerialChannel::IsOpen() {
    if (fd_ >= 0 && HungUp()) Lost();
    return fd_ >= 0;
}

bool SerialChannel::Gone(ssize_t result) const {
    const bool deviceError = result < 0 && (errno == EIO || errno == ENXIO || errno == ENODEV);
    return deviceError || HungUp();  // end of file (0) on a tty comes only from a hung-up line
}

bool SerialChannel::HungUp() const {
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) < 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

int SerialChannel::Lost() {
    Close();
    return 0;
}

bool SerialChannel::WriteAll(std::span<const uint8_t> bytes, int timeoutHint) {
    uint32_t written = 0;
    const bool ok = Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written, timeoutHint) != 0;
    TraceBlock(TraceDirection::ToModule, bytes.first(written));
    return ok && written == bytes.size();
}

std::optional<std::vector<uint8_t>> SerialChannel::ReadBlock(uint32_t capacity, int timeoutHint) {
    std::vector<uint8_t> block(capacity);
    uint32_t got = 0;
    const bool ok = Read(block.data(), capacity, &got, timeoutHint) != 0;
    block.resize(got);
    TraceBlock(TraceDirection::FromModule, block);
    if (!ok) return std::nullopt;
    return block;
}

}  // namespace radlink
