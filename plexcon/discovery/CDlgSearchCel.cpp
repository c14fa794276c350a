#include "discovery/CDlgSearchCel.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

#include "radlink.h"
#include "shell/LibraryCall.h"
#include "shell/LibraryLock.h"

namespace {

constexpr auto kStopWait = std::chrono::milliseconds(2000);

}  // namespace

CDlgSearchCel::CDlgSearchCel(QString settingsPath, QWidget* parent, std::chrono::milliseconds tick)
    : SearchDialogFrame(std::move(settingsPath),
                        {tr("全选"), false, {tr("通道号"), tr("速率"), tr("网络号"), tr("本地ID"), tr("运行状态")},
                         {70, 70, 100, 100, 100}},
                        tick, parent) {
    // Only a stored setting can check the faster rates.
    rateBox(1)->hide();
    rateBox(2)->hide();
    staticSearch_ = addCommand(tr("静态搜索"));
    staticSearch_->hide();

    connect(searchButton(), &QPushButton::clicked, this, &CDlgSearchCel::startSearch);
    connect(stopButton(), &QPushButton::clicked, this, &CDlgSearchCel::stopCommand);
    connect(exitButton(), &QPushButton::clicked, this, &CDlgSearchCel::exitCommand);
    connect(timer(), &QTimer::timeout, this, &CDlgSearchCel::tick);

    // A search of this kind may still run (or finish its last call): follow it until it ends.
    const bool idle = !searching_ && workersRunning_ == 0;
    searchButton()->setEnabled(idle);
    stopButton()->setEnabled(searching_);
    if (!idle) timer()->start();
    readBoxes(kChannels, kRates);
    resize(620, 520);
}

CDlgSearchCel::~CDlgSearchCel() { stopAndJoinWorker(); }

void CDlgSearchCel::startSearch() {
    if (searching_ || workersRunning_ > 0) return;
    resetProgress();
    std::vector<int> channels = checkedChannels();
    std::vector<int> rates = checkedRates();

    awaitWorker(kStopWait);  // an earlier search of this dialog has ended by now; join it
    {
        std::lock_guard<std::mutex> lock(workerMutex_);
        workerDone_ = false;
        snapshotFresh_ = false;
    }
    searching_ = true;
    ++workersRunning_;
    showSearching(true);
    staticSearch_->setEnabled(false);
    worker_ = std::thread(&CDlgSearchCel::runWorker, this, std::move(channels), std::move(rates));
    timer()->start();
}

void CDlgSearchCel::runWorker(std::vector<int> channels, std::vector<int> rates) {
    [&] {
        for (int channel : channels) {
            for (int rate : rates) {
                if (!searching_) return;
                // A failed search call is ignored: the next channel and rate are tried.
                auto entries = WithLibrary([&] {
                    QVZB_CEL_SearchDev(channel, rate);
                    return CelSearchRows::ReadLibrary();
                });
                std::lock_guard<std::mutex> lock(workerMutex_);
                snapshot_ = std::move(entries);
                snapshotFresh_ = true;
            }
        }
    }();
    searching_ = false;
    --workersRunning_;
    {
        std::lock_guard<std::mutex> lock(workerMutex_);
        workerDone_ = true;
    }
    workerEnded_.notify_all();
}

bool CDlgSearchCel::awaitWorker(std::chrono::milliseconds limit) {
    if (!worker_.joinable()) return true;
    {
        std::unique_lock<std::mutex> lock(workerMutex_);
        if (!workerEnded_.wait_for(lock, limit, [this] { return workerDone_; })) return false;
    }
    worker_.join();
    return true;
}

void CDlgSearchCel::stopAndJoinWorker() {
    if (!worker_.joinable()) return;
    bool done = false;
    {
        std::lock_guard<std::mutex> lock(workerMutex_);
        done = workerDone_;
    }
    if (done) {
        worker_.join();
        return;
    }
    BusyCursor busy;  // the worker ends after the call it is in
    searching_ = false;
    worker_.join();
}

void CDlgSearchCel::stopCommand() {
    BusyCursor busy;
    searching_ = false;
    awaitWorker(kStopWait);
}

void CDlgSearchCel::tick() {
    if (searching_) {
        advanceProgress();
        std::vector<CelSearchEntry> entries;
        {
            std::lock_guard<std::mutex> lock(workerMutex_);
            if (snapshotFresh_) entries.swap(snapshot_);
            snapshotFresh_ = false;
        }
        if (static_cast<int>(entries.size()) > foundList()->topLevelItemCount()) CelSearchRows::Show(foundList(), entries);
        return;
    }
    if (workersRunning_ > 0) return;  // a stopped worker is finishing its last call
    goIdle();
}

void CDlgSearchCel::goIdle() {
    timer()->stop();
    resetProgress();
    showSearching(false);
    staticSearch_->setEnabled(true);
    awaitWorker(kStopWait);
    // Modules found in the last call, after the last tick.
    const auto entries = WithLibrary([] { return CelSearchRows::ReadLibrary(); });
    if (static_cast<int>(entries.size()) > foundList()->topLevelItemCount()) CelSearchRows::Show(foundList(), entries);
}

void CDlgSearchCel::exitCommand() {
    storeBoxes();
    accept();
}

void CDlgSearchCel::done(int result) {
    stopAndJoinWorker();
    timer()->stop();
    QDialog::done(result);
}
