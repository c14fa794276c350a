// One process-wide lock around every library call: the UI thread and the workers never overlap in the library.
#pragma once

#include <mutex>
#include <utility>

inline std::recursive_mutex& LibraryMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

// Runs f (one or more library calls) under the lock and returns its result.
template <typename F>
auto WithLibrary(F&& f) {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    return std::forward<F>(f)();
}
