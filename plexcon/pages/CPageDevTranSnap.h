// "无线传送信息" of the SNAP panel: air rate, transmit power, routing, and the module's signal strength, which
// "实时更新信号强度" follows live in a line chart and a bar meter. A worker reads the strength once a second under
// the library lock and hands each value to the page by a queued call; hiding the page stops it (and showing the
// page again with the box checked restarts it).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "pages/SnapConfigPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QTimer;

class CPageDevTranSnap : public SnapConfigPage {
    Q_OBJECT
public:
    static constexpr int kSamplesShown = 60;

    explicit CPageDevTranSnap(CPanViewSnap* panel);
    ~CPageDevTranSnap() override;

    QCheckBox* liveBox() const { return live_; }
    QProgressBar* meter() const { return meter_; }
    // The values the chart holds, oldest first.
    QList<int> samples() const;
    bool signalWorkerRunning() const { return worker_.joinable(); }
    // How often the worker reads (tests shorten it).
    void setSignalInterval(std::chrono::milliseconds interval) { interval_ = interval; }

protected:
    void fill(const SnapRecord& record) override;
    void collect(SnapRecord& record) override;
    void hideEvent(QHideEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void startSignal();
    void stopSignal();
    void publishTarget();
    void addSample(int value);
    void readSignals(int run);

    QComboBox* rate_ = nullptr;
    QComboBox* power_ = nullptr;
    QComboBox* routing_ = nullptr;
    QLineEdit* strength_ = nullptr;
    QCheckBox* live_ = nullptr;
    QProgressBar* meter_ = nullptr;
    class SignalChart;
    SignalChart* chart_ = nullptr;
    QTimer* redraw_ = nullptr;

    std::chrono::milliseconds interval_{1000};
    // What the worker reads: -1 the local module, >= 0 a remote index, -2 none selected (skip).
    std::atomic<int> target_{-1};
    std::atomic<bool> active_{false};
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    std::thread worker_;
    int run_ = 0;  // counts the worker's runs (UI thread only)
};
