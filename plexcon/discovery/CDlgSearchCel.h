// "Search Dev" for CEL modules: the operator picks channels and air rates, a worker thread has the library search
// each pair through the local module, and a timer shows progress and the modules found so far. "退出" keeps the
// library's search list (the remote list rebuilds itself from it); the close box stops a running search first.
//
// Threads: the worker makes one QVZB_CEL_SearchDev call at a time under the library lock and, in the same locked
// step, reads the search list into a snapshot that the timer shows; so the UI thread never waits for a search
// call. The searching flag is one per program run for this dialog kind; both threads write it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "discovery/CelSearchRows.h"
#include "discovery/SearchDialogFrame.h"

class QPushButton;

class CDlgSearchCel : public SearchDialogFrame {
    Q_OBJECT
public:
    explicit CDlgSearchCel(QString settingsPath, QWidget* parent = nullptr,
                           std::chrono::milliseconds tick = std::chrono::milliseconds(200));
    ~CDlgSearchCel() override;

    // 1 while a search worker of this dialog kind runs (whichever dialog started it).
    static bool Searching() { return searching_.load(); }

    void done(int result) override;

private:
    void startSearch();
    void stopCommand();
    void exitCommand();
    void tick();
    void goIdle();

    // Worker side: one thread per search.
    void runWorker(std::vector<int> channels, std::vector<int> rates);
    // Waits up to `limit` for the worker to end and joins it when it has; true when no worker is left.
    bool awaitWorker(std::chrono::milliseconds limit);
    // Clears the flag if this dialog's worker runs, and joins it.
    void stopAndJoinWorker();

    static inline std::atomic<bool> searching_{false};
    // Search workers of this kind that have not yet ended (a stopped one may still finish its last call).
    static inline std::atomic<int> workersRunning_{0};

    QPushButton* staticSearch_ = nullptr;

    std::thread worker_;
    std::mutex workerMutex_;
    std::condition_variable workerEnded_;
    bool workerDone_ = false;                 // guarded by workerMutex_
    std::vector<CelSearchEntry> snapshot_;    // guarded by workerMutex_: the search list after the last call
    bool snapshotFresh_ = false;              // guarded by workerMutex_
};
