// The worker thread of a polling page (IO, analogue input): runs a loop until stopped; its pauses end at once when
// it is stopped, so stopping (and destroying the page) waits only for the library call under way.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class PollingWorker {
public:
    PollingWorker() = default;
    ~PollingWorker() { stop(); }
    PollingWorker(const PollingWorker&) = delete;
    PollingWorker& operator=(const PollingWorker&) = delete;

    bool running() const { return thread_.joinable(); }

    // Runs `round` again and again until stop(); `round` pauses with pause().
    void start(std::function<void()> round) {
        if (running()) return;
        running_.store(true);
        thread_ = std::thread([this, round = std::move(round)] {
            while (running_.load()) round();
        });
    }
    // Ends the loop after the round under way and waits for the thread.
    void stop() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            running_.store(false);
        }
        wake_.notify_all();
        if (thread_.joinable()) thread_.join();
    }
    // For the loop: waits `ms` or until stopped; false when stopped.
    bool pause(std::chrono::milliseconds ms) {
        std::unique_lock<std::mutex> lock(mutex_);
        return !wake_.wait_for(lock, ms, [this] { return !running_.load(); });
    }
    bool keepGoing() const { return running_.load(); }

private:
    std::atomic<bool> running_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
};

// Which module a polling loop works on, as the UI thread publishes it for the worker.
namespace polltarget {
inline constexpr int kLocal = -1;
inline constexpr int kNoneSelected = -2;  // remote mode without a selected row
// The target of a panel in remote mode or not, with the selected remote row (-1 for none).
inline int Of(bool remoteMode, int selectedRow) {
    if (!remoteMode) return kLocal;
    return selectedRow < 0 ? kNoneSelected : selectedRow;
}
}  // namespace polltarget
