// "Search Dev" for CEL modules: the operator picks channels and air rates, a worker thread has the library search
// each pair through the local module, and a timer shows progress and the modules found so far. "退出" keeps the
// library's search list (the remote list rebuilds itself from it); the close box stops a running search first.
//
// Threads: the worker makes one QVZB_CEL_SearchDev call at a time under the library lock and, in the same locked
// step, reads the search list into a snapshot that the timer shows; so the UI thread never waits for a search
// call. The searching flag is one per program run for this dialog kind; both threads write it.
#pragma once

#include <QDialog>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "discovery/CelSearchRows.h"

class QCheckBox;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;

class CDlgSearchCel : public QDialog {
    Q_OBJECT
public:
    static constexpr int kChannels = 16;
    static constexpr int kFirstChannel = 11;
    static constexpr int kRates = 3;

    explicit CDlgSearchCel(QString settingsPath, QWidget* parent = nullptr,
                           std::chrono::milliseconds tick = std::chrono::milliseconds(200));
    ~CDlgSearchCel() override;

    // 1 while a search worker of this dialog kind runs (whichever dialog started it).
    static bool Searching() { return searching_.load(); }

    QTreeWidget* foundList() const { return found_; }
    QProgressBar* progress() const { return progress_; }
    QTimer* timer() const { return timer_; }

    void done(int result) override;

private:
    void startSearch();
    void stopCommand();
    void exitCommand();
    void tick();
    void goIdle();
    void readSettings();
    void storeSettings() const;

    // Worker side: one thread per search.
    void runWorker(std::vector<int> channels, std::array<bool, kRates> rates);
    // Waits up to `limit` for the worker to end and joins it when it has; true when no worker is left.
    bool awaitWorker(std::chrono::milliseconds limit);
    // Clears the flag if this dialog's worker runs, and joins it.
    void stopAndJoinWorker();

    static inline std::atomic<bool> searching_{false};
    // Search workers of this kind that have not yet ended (a stopped one may still finish its last call).
    static inline std::atomic<int> workersRunning_{0};

    QString settingsPath_;
    std::array<QCheckBox*, kChannels> channelBoxes_{};
    std::array<QCheckBox*, kRates> rateBoxes_{};
    QCheckBox* selectAll_ = nullptr;
    QTreeWidget* found_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* staticSearch_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* exit_ = nullptr;
    QTimer* timer_ = nullptr;
    int counter_ = 0;

    std::thread worker_;
    std::mutex workerMutex_;
    std::condition_variable workerEnded_;
    bool workerDone_ = false;                 // guarded by workerMutex_
    std::vector<CelSearchEntry> snapshot_;    // guarded by workerMutex_: the search list after the last call
    bool snapshotFresh_ = false;              // guarded by workerMutex_
};
