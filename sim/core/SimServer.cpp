#include "core/SimServer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void throwErrno(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

Clock::duration byteTime(int baud) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(10.0 / baud));
}

}  // namespace

SimServer::SimServer(std::unique_ptr<ModuleModel> model) : model_(std::move(model)) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) throwErrno("posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) throwErrno("grantpt/unlockpt");
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) throwErrno("ptsname_r");
    devicePath_ = name;
    // Holding the device side open keeps the master readable while no client has the port open.
    slaveKeepAlive_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveKeepAlive_ < 0) throwErrno("open pty");
    termios tio{};
    if (::tcgetattr(slaveKeepAlive_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slaveKeepAlive_, TCSANOW, &tio);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (::pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) throwErrno("pipe2");
    thread_ = std::thread([this] { run(); });
}

SimServer::~SimServer() {
    stop_ = true;
    char c = 1;
    [[maybe_unused]] auto n = ::write(wakePipe_[1], &c, 1);
    if (thread_.joinable()) thread_.join();
    for (int fd : {master_, slaveKeepAlive_, wakePipe_[0], wakePipe_[1]})
        if (fd >= 0) ::close(fd);
}

std::string SimServer::portName() const {
    static constexpr std::string_view kDev = "/dev/";
    return devicePath_.rfind(kDev, 0) == 0 ? devicePath_.substr(kDev.size()) : devicePath_;
}

void SimServer::setPacing(int baud) { pacingBaud_ = baud > 0 ? baud : 0; }
void SimServer::setGap(std::chrono::milliseconds gap) { gapMs_ = static_cast<int>(gap.count()); }

void SimServer::injectFault(Fault fault) {
    std::lock_guard<std::mutex> lock(stateMutex_);
    faults_.push_back(std::move(fault));
}

void SimServer::clearFaults() {
    std::lock_guard<std::mutex> lock(stateMutex_);
    faults_.clear();
}

std::vector<LoggedFrame> SimServer::frames() const {
    std::lock_guard<std::mutex> lock(stateMutex_);
    return log_;
}

std::vector<Bytes> SimServer::frameBytes() const {
    std::lock_guard<std::mutex> lock(stateMutex_);
    std::vector<Bytes> out;
    out.reserve(log_.size());
    for (const auto& f : log_) out.push_back(f.bytes);
    return out;
}

void SimServer::clearLog() {
    std::lock_guard<std::mutex> lock(stateMutex_);
    log_.clear();
}

bool SimServer::waitForFrames(size_t n, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(stateMutex_);
    return logChanged_.wait_for(lock, timeout, [&] { return log_.size() >= n; });
}

void SimServer::sendUnasked(const Bytes& bytes) {
    std::lock_guard<std::mutex> lock(writeMutex_);
    writeAll(bytes.data(), bytes.size());
}

void SimServer::run() {
    Bytes pending;
    Clock::time_point lastByte{};
    uint8_t buf[4096];
    while (!stop_) {
        // While a frame of unknown or not yet known length is pending, a quiet gap ends it.
        int timeoutMs = -1;
        if (!pending.empty()) {
            auto left = lastByte + std::chrono::milliseconds(gapMs_.load()) - Clock::now();
            timeoutMs = std::max<int>(0, static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(left).count()) + 1);
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        int r = ::poll(fds, 2, timeoutMs);
        if (r < 0 && errno != EINTR) break;
        if (stop_) break;
        if (r > 0 && (fds[0].revents & POLLIN)) {
            ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) {
                pending.insert(pending.end(), buf, buf + n);
                lastByte = Clock::now();
            }
        } else if (r > 0 && (fds[0].revents & (POLLHUP | POLLERR))) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        // Cut complete frames off the front.
        while (!pending.empty() && !stop_) {
            size_t len;
            {
                std::lock_guard<std::mutex> lock(modelMutex_);
                len = model_->frameLength(pending);
            }
            bool quiet = Clock::now() - lastByte >= std::chrono::milliseconds(gapMs_.load());
            if (len != ModuleModel::kUnknownLength && len > 0 && len <= pending.size()) {
                Bytes frame(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(len));
                pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(len));
                serveFrame(std::move(frame), lastByte);
            } else if (quiet) {
                Bytes frame;
                frame.swap(pending);
                serveFrame(std::move(frame), lastByte);
            } else {
                break;
            }
        }
    }
}

std::vector<Reply> SimServer::applyFaults(std::span<const uint8_t> request, std::vector<Reply> replies) {
    std::vector<Fault> active;
    {
        std::lock_guard<std::mutex> lock(stateMutex_);
        for (auto it = faults_.begin(); it != faults_.end();) {
            if (it->matches(request)) {
                active.push_back(*it);
                if (it->times > 0 && --it->times == 0) {
                    it = faults_.erase(it);
                    continue;
                }
            }
            ++it;
        }
    }
    for (const Fault& f : active) {
        switch (f.kind) {
            case Fault::Kind::NoAnswer: replies.clear(); break;
            case Fault::Kind::Replace: replies = {Reply{f.bytes, {}}}; break;
            case Fault::Kind::Truncate:
                for (auto& r : replies) r.bytes.resize(r.bytes.size() > f.count ? r.bytes.size() - f.count : 0);
                break;
            case Fault::Kind::Extend:
                for (auto& r : replies) r.bytes.insert(r.bytes.end(), f.count, f.value);
                break;
            case Fault::Kind::SetByte:
                for (auto& r : replies) {
                    if (f.fromEnd && f.at >= 1 && f.at <= r.bytes.size()) r.bytes[r.bytes.size() - f.at] = f.value;
                    if (!f.fromEnd && f.at < r.bytes.size()) r.bytes[f.at] = f.value;
                }
                break;
            case Fault::Kind::Vanish:
                replies.clear();
                vanishNow_ = true;
                break;
            case Fault::Kind::Lead:
                if (!replies.empty()) replies.front().bytes.insert(replies.front().bytes.begin(), f.count, f.value);
                break;
            case Fault::Kind::Delay:
                if (!replies.empty()) replies.front().delay += f.ms;
                break;
            case Fault::Kind::Split:
                if (!replies.empty() && f.at < replies.front().bytes.size()) {
                    Reply& first = replies.front();
                    Reply rest{Bytes(first.bytes.begin() + static_cast<std::ptrdiff_t>(f.at), first.bytes.end()),
                               f.ms};
                    first.bytes.resize(f.at);
                    replies.insert(replies.begin() + 1, std::move(rest));
                }
                break;
            case Fault::Kind::Stray: replies.push_back(Reply{Bytes(f.count, f.value), f.ms}); break;
            case Fault::Kind::Babble: {
                Bytes block = !f.bytes.empty() || replies.empty() ? f.bytes : replies.back().bytes;
                if (!block.empty()) replies.push_back(Reply{std::move(block), f.ms, f.ms, f.lasting});
                break;
            }
        }
    }
    return replies;
}

void SimServer::serveFrame(Bytes frame, Clock::time_point arrived) {
    std::vector<Reply> replies;
    {
        std::lock_guard<std::mutex> lock(modelMutex_);
        replies = model_->handle(frame);
    }
    replies = applyFaults(frame, std::move(replies));
    const size_t requestBytes = frame.size();
    {
        std::lock_guard<std::mutex> lock(stateMutex_);
        Bytes answer;
        for (const Reply& r : replies) answer.insert(answer.end(), r.bytes.begin(), r.bytes.end());
        log_.push_back(LoggedFrame{arrived, std::move(frame), std::move(answer)});
    }
    logChanged_.notify_all();
    if (vanishNow_) {
        closeLine();
        return;
    }
    Clock::time_point start = arrived;
    if (int baud = pacingBaud_.load(); baud > 0) start += byteTime(baud) * static_cast<int>(requestBytes);
    transmit(replies, start);
}

void SimServer::transmit(const std::vector<Reply>& replies, Clock::time_point start) {
    Clock::time_point t = start;
    for (const Reply& reply : replies) {
        if (reply.repeatFor.count() > 0) {
            repeat(reply);
            return;
        }
        t += reply.delay;
        int baud = pacingBaud_.load();
        if (baud <= 0) {
            std::this_thread::sleep_until(t);
            std::lock_guard<std::mutex> lock(writeMutex_);
            writeAll(reply.bytes.data(), reply.bytes.size());
            t = Clock::now();
            continue;
        }
        // Paced: byte i has arrived once its ten bits are on the line, at t + (i + 1) byte times; write whatever
        // has arrived, then sleep to the next one.
        const auto bt = byteTime(baud);
        size_t sent = 0;
        while (sent < reply.bytes.size() && !stop_) {
            auto now = Clock::now();
            size_t due = now < t ? 0 : static_cast<size_t>((now - t) / bt);
            due = std::min(due, reply.bytes.size());
            if (due > sent) {
                std::lock_guard<std::mutex> lock(writeMutex_);
                writeAll(reply.bytes.data() + sent, due - sent);
                sent = due;
            }
            if (sent < reply.bytes.size()) std::this_thread::sleep_until(t + bt * static_cast<int>(sent + 1));
        }
        t += bt * static_cast<int>(reply.bytes.size());
        std::this_thread::sleep_until(t);
    }
}

void SimServer::repeat(const Reply& reply) {
    const Clock::time_point end = Clock::now() + reply.repeatFor;
    const int everyMs = std::max(1, static_cast<int>(reply.repeatEvery.count()));
    while (!stop_ && Clock::now() < end) {
        pollfd p[2] = {{master_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        if (::poll(p, 2, everyMs) != 0) return;  // a request (or the end of the server) stops it
        std::lock_guard<std::mutex> lock(writeMutex_);
        writeAll(reply.bytes.data(), reply.bytes.size());
    }
}

void SimServer::closeLine() {
    std::lock_guard<std::mutex> lock(writeMutex_);
    for (int* fd : {&master_, &slaveKeepAlive_}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    stop_ = true;
}

void SimServer::writeAll(const uint8_t* data, size_t n) {
    size_t done = 0;
    while (done < n) {
        ssize_t w = ::write(master_, data + done, n - done);
        if (w > 0) {
            done += static_cast<size_t>(w);
        } else if (w < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 50);
            if (stop_) return;
        } else {
            return;
        }
    }
}

}  // namespace sim
