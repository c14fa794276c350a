// Serves one simulated module on a pseudo-terminal: a thread reads request frames from the master side, logs
// them with timestamps, lets the model answer, applies injected faults and optionally paces the answer at the
// line's baud rate (10 bits a byte).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/Fault.h"
#include "core/ModuleModel.h"

namespace sim {

struct LoggedFrame {
    std::chrono::steady_clock::time_point at;  // when the frame's last byte arrived
    Bytes bytes;
    Bytes answer;  // the blocks sent back, faults applied (a repeated block once), back to back
};

class SimServer {
public:
    explicit SimServer(std::unique_ptr<ModuleModel> model);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Path of the pty's device side ("/dev/pts/N"): the port to open.
    const std::string& devicePath() const { return devicePath_; }
    // The same as a port name relative to /dev ("pts/N").
    std::string portName() const;

    // Answers go out at this rate, 10 bits a byte, each request counted as arrived after its own wire time;
    // 0 sends at once.
    void setPacing(int baud);
    // Quiet time that ends a request the model cannot measure.
    void setGap(std::chrono::milliseconds gap);

    void injectFault(Fault fault);
    void clearFaults();

    // The frames received so far, oldest first.
    std::vector<LoggedFrame> frames() const;
    std::vector<Bytes> frameBytes() const;
    void clearLog();
    // Waits until at least n frames are logged; false on time-out.
    bool waitForFrames(size_t n, std::chrono::milliseconds timeout) const;

    // Runs f on the model with the server's lock held (the server thread answers under the same lock).
    template <typename M, typename F>
    auto withModel(F&& f) {
        std::lock_guard<std::mutex> lock(modelMutex_);
        return f(static_cast<M&>(*model_));
    }

    // Writes bytes unasked (as a module that talks between requests).
    void sendUnasked(const Bytes& bytes);

private:
    void run();
    void serveFrame(Bytes frame, std::chrono::steady_clock::time_point arrived);
    void transmit(const std::vector<Reply>& replies, std::chrono::steady_clock::time_point start);
    // Sends a repeated block until its time has passed or a request arrives.
    void repeat(const Reply& reply);
    void writeAll(const uint8_t* data, size_t n);
    // Closes both sides of the pty: the client's port reads and writes fail from then on.
    void closeLine();
    std::vector<Reply> applyFaults(std::span<const uint8_t> request, std::vector<Reply> replies);

    std::unique_ptr<ModuleModel> model_;
    std::mutex modelMutex_;
    int master_ = -1;
    int slaveKeepAlive_ = -1;
    int wakePipe_[2] = {-1, -1};
    std::string devicePath_;
    std::atomic<int> pacingBaud_{0};
    std::atomic<int> gapMs_{5};

    mutable std::mutex stateMutex_;
    mutable std::condition_variable logChanged_;
    std::vector<LoggedFrame> log_;
    std::deque<Fault> faults_;
    std::mutex writeMutex_;

    std::atomic<bool> stop_{false};
    bool vanishNow_ = false;  // set by a Vanish fault, handled by the server thread
    std::thread thread_;
};

}  // namespace sim
