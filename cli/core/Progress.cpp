#include "core/Progress.h"

#include <fmt/core.h>
#include <unistd.h>

#include <algorithm>

namespace cli {

Progress::Progress(size_t total, std::string label)
    : total_(std::max<size_t>(total, 1)), label_(std::move(label)), terminal_(isatty(STDERR_FILENO) == 1) {}

void Progress::show(size_t done, const std::string& note) {
    if (!terminal_) return;
    constexpr size_t kWidth = 30;
    done = std::min(done, total_);
    const size_t filled = done * kWidth / total_;
    fmt::print(stderr, "\r\033[K{} [{}{}] {:3}% {}", label_, std::string(filled, '#'), std::string(kWidth - filled, '.'),
               done * 100 / total_, note);
    std::fflush(stderr);
    open_ = true;
}

void Progress::finish() {
    if (open_) fmt::print(stderr, "\n");
    open_ = false;
}

}  // namespace cli

#include <chrono>

namespace cli {

Activity::Activity(std::string label) : label_(std::move(label)) {
    if (isatty(STDERR_FILENO) != 1) return;
    running_ = true;
    thread_ = std::thread([this] {
        using namespace std::chrono;
        const auto start = steady_clock::now();
        constexpr size_t kWidth = 30;
        for (size_t tick = 0; running_; ++tick) {
            const size_t at = tick % (2 * kWidth - 2);
            const size_t pos = at < kWidth ? at : 2 * kWidth - 2 - at;
            std::string bar(kWidth, '.');
            bar[pos] = '#';
            fmt::print(stderr, "\r\033[K{} [{}] {} s", label_, bar,
                       duration_cast<seconds>(steady_clock::now() - start).count());
            std::fflush(stderr);
            std::this_thread::sleep_for(milliseconds(200));
        }
        fmt::print(stderr, "\n");
    });
}

void Activity::stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
}

}  // namespace cli
