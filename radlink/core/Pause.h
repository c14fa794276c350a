// The pauses the exchanges make between writing a request and reading its answer, and between attempts.
#pragma once

#include <chrono>
#include <thread>

namespace radlink {

// A timer wake-up comes a few hundred microseconds late on a busy or virtual machine, and an upgrade pays it on
// every block. Waits therefore sleep until this much before their end and yield-spin the rest.
inline constexpr std::chrono::microseconds kSpinMargin{500};

// Waits `ms`; nothing for 0 or less.
inline void Pause(std::chrono::milliseconds ms) {
    if (ms.count() <= 0) return;
    const auto end = std::chrono::steady_clock::now() + ms;
    std::this_thread::sleep_until(end - kSpinMargin);
    while (std::chrono::steady_clock::now() < end) std::this_thread::yield();
}

}  // namespace radlink
