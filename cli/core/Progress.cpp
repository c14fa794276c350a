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

