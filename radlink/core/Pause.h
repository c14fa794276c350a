// The pauses the exchanges make between writing a request and reading its answer, and between attempts.
#pragma once

#include <chrono>
#include <thread>

namespace radlink {

// Waits `ms`; nothing for 0 or less.
inline void Pause(std::chrono::milliseconds ms) {
    if (ms.count() > 0) std::this_thread::sleep_for(ms);
}

}  // namespace radlink
