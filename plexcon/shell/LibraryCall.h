// Library calls made on the UI thread: under the process-wide lock, with a busy cursor while they block.
#pragma once

#include <QApplication>
#include <QCursor>

#include <utility>

#include "radlink.h"
#include "shell/LibraryLock.h"

// Shows the busy cursor for its lifetime (a remote exchange takes about a second).
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Runs f (one or more library calls) under the lock with the busy cursor shown.
template <typename F>
auto BusyLibraryCall(F&& f) {
    BusyCursor busy;
    return WithLibrary(std::forward<F>(f));
}

inline bool PortIsOpen() {
    return WithLibrary([] { return QVZB_ComCheckOpen(); }) != 0;
}
