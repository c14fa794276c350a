// The IO page of the CEL panels: all pins to input or output, and one worker that either polls the four input pins
// (4 to 7, the evaluation board's buttons) or drives the two output pins (2 and 3, its LEDs) alternately high and
// low. The two modes exclude each other. The worker shares only atomics with the page: the page publishes which
// module to work on and the settings, the worker publishes the levels it read and wrote, and a page timer redraws
// the indicators from them.
#pragma once

#include <QWidget>

#include <array>
#include <atomic>

#include "pages/PollingWorker.h"

class CPanViewCel;
class QCheckBox;
class QLabel;
class QSpinBox;
class QTimer;

class CPageDevIOCel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRedrawMs = 50;
    static constexpr int kIdleMs = 1000;  // a round with no module to work on

    explicit CPageDevIOCel(CPanViewCel* panel);
    ~CPageDevIOCel() override;

    // "全部配置成输入" (0) / "全部配置成输出" (1).
    void setAllDirections(int direction);
    QCheckBox* autoRefreshBox() const { return autoRefresh_; }
    QCheckBox* cycleOutputsBox() const { return cycleOutputs_; }
    QSpinBox* periodField() const { return period_; }
    bool workerRunning() const { return worker_.running(); }
    // Indicators: "高" or "低" (or "-" before the first value); directions "输入" / "输出".
    QLabel* inputIndicator(int position) const { return inputs_.at(position); }
    QLabel* outputIndicator(int position) const { return outputs_.at(position); }
    QLabel* directionIndicator(int position) const { return directions_.at(position); }

private:
    static constexpr int kInputPins[4] = {4, 5, 6, 7};
    static constexpr int kOutputPins[2] = {2, 3};

    void modeClicked(QCheckBox* box);
    void takeValues();
    void startWorker();
    void stopWorker();
    void round();
    void redraw();
    void publishTarget();

    CPanViewCel* panel_;
    QCheckBox* autoRefresh_ = nullptr;
    QCheckBox* cycleOutputs_ = nullptr;
    QSpinBox* period_ = nullptr;
    std::array<QLabel*, 6> directions_{};
    std::array<QLabel*, 4> inputs_{};
    std::array<QLabel*, 2> outputs_{};
    QTimer* redraw_ = nullptr;

    // Shared with the worker.
    std::atomic<int> target_{polltarget::kLocal};
    std::atomic<bool> cycleMode_{false};
    std::atomic<int> periodMs_{100};
    std::atomic<int> outputLevel_{0};
    std::array<std::atomic<int>, 4> inputValues_{};   // -1 until read
    std::array<std::atomic<int>, 2> outputValues_{};  // -1 until written
    PollingWorker worker_;
};
