// The analogue-input page of the CEL panels: a worker samples one of two analogue channels every sampling period
// and the page plots the samples (the last 100, 0 to 300) and shows the latest on a bar meter. Sampling pauses
// while the page is hidden. The worker hands its samples over under a mutex the page's redraw timer also takes;
// everything else it shares is atomic.
#pragma once

#include <QWidget>

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

#include "pages/PollingWorker.h"

class CPanViewCel;
class QCheckBox;
class QLineSeries;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

class CPageDevADCel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kChartSamples = 100;
    static constexpr int kChartTop = 300;
    static constexpr int kIdleMs = 700;           // a round while the page is hidden
    static constexpr int kShownRedrawMs = 1000;   // redraw period after the page is shown again

    explicit CPageDevADCel(CPanViewCel* panel);
    ~CPageDevADCel() override;

    QCheckBox* realtimeBox() const { return realtime_; }
    QSpinBox* periodField() const { return period_; }
    QPushButton* channelButton(int channel) const { return channel ? channel1_ : channel0_; }
    QLineSeries* series() const { return series_; }
    QProgressBar* meter() const { return meter_; }
    QTimer* redrawTimer() const { return redraw_; }
    int channel() const { return channel_.load(); }
    bool sampling() const { return active_.load(); }
    bool workerRunning() const { return worker_.running(); }

    void chooseChannel(int channel);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void realtimeClicked(bool on);
    void round();
    void redraw();
    void publishTarget();

    CPanViewCel* panel_;
    QCheckBox* realtime_ = nullptr;
    QSpinBox* period_ = nullptr;
    QPushButton* channel0_ = nullptr;
    QPushButton* channel1_ = nullptr;
    QLineSeries* series_ = nullptr;
    QProgressBar* meter_ = nullptr;
    QTimer* redraw_ = nullptr;
    std::vector<int> shown_;  // the samples on the chart, oldest first

    // Shared with the worker.
    std::atomic<int> target_{polltarget::kLocal};
    std::atomic<int> channel_{0};
    std::atomic<int> periodMs_{1000};
    std::atomic<bool> active_{false};
    std::mutex samplesMutex_;
    std::vector<std::pair<int, int>> samples_;  // (channel, value) taken since the last redraw, under the mutex
    PollingWorker worker_;
};
