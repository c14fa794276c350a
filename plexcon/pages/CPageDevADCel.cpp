#include "pages/CPageDevADCel.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>

#include "shell/CPanViewCel.h"
#include "shell/LibraryCall.h"

CPageDevADCel::CPageDevADCel(CPanViewCel* panel) : panel_(panel) {
    realtime_ = new QCheckBox(tr("实时获取AD数据"));
    period_ = new QSpinBox;
    period_->setRange(1, 60000);
    period_->setValue(1000);
    auto* periodLabel = new QLabel(tr("采样周期(ms)"));
    periodLabel->setBuddy(period_);
    auto* channelLabel = new QLabel(tr("选择曲线显示通道号"));
    channel0_ = new QPushButton(tr("通道0"));
    channel1_ = new QPushButton(tr("通道1"));
    for (QPushButton* b : {channel0_, channel1_}) b->setCheckable(true);
    channel0_->setChecked(true);

    series_ = new QLineSeries;
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->addSeries(series_);
    auto* x = new QValueAxis;
    x->setRange(0, kChartSamples);
    auto* y = new QValueAxis;
    y->setRange(0, kChartTop);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series_->attachAxis(x);
    series_->attachAxis(y);
    auto* view = new QChartView(chart);
    view->setMinimumSize(360, 240);
    view->setAccessibleName(tr("AD曲线"));

    meter_ = new QProgressBar;
    meter_->setOrientation(Qt::Vertical);
    meter_->setRange(0, kChartTop);
    meter_->setValue(0);
    meter_->setFormat(QStringLiteral("%v"));
    meter_->setAccessibleName(tr("AD值"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(realtime_);
    controls->addSpacing(16);
    controls->addWidget(periodLabel);
    controls->addWidget(period_);
    controls->addSpacing(16);
    controls->addWidget(channelLabel);
    controls->addWidget(channel0_);
    controls->addWidget(channel1_);
    controls->addStretch();
    auto* plots = new QHBoxLayout;
    plots->addWidget(view, 1);
    plots->addWidget(meter_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->addLayout(controls);
    column->addLayout(plots, 1);

    redraw_ = new QTimer(this);
    connect(redraw_, &QTimer::timeout, this, &CPageDevADCel::redraw);
    connect(realtime_, &QCheckBox::clicked, this, &CPageDevADCel::realtimeClicked);
    connect(channel0_, &QPushButton::clicked, this, [this] { chooseChannel(0); });
    connect(channel1_, &QPushButton::clicked, this, [this] { chooseChannel(1); });
}

CPageDevADCel::~CPageDevADCel() { worker_.stop(); }

void CPageDevADCel::publishTarget() {
    target_.store(polltarget::Of(panel_->remoteMode(), panel_->selectedRemote()));
}

void CPageDevADCel::realtimeClicked(bool on) {
    if (on) {
        periodMs_.store(period_->value());
        publishTarget();
        redraw_->start(periodMs_.load());
        active_.store(true);
        worker_.start([this] { round(); });
    } else {
        redraw_->stop();
        active_.store(false);
        worker_.stop();
        redraw();
    }
}

void CPageDevADCel::round() {
    if (!active_.load()) {
        worker_.pause(std::chrono::milliseconds(kIdleMs));
        return;
    }
    const int target = target_.load(), channel = channel_.load();
    // A remote module must be selected: a read for no module is not sent.
    if (target != polltarget::kNoneSelected) {
        const int value = WithLibrary([&] {
            if (!QVZB_ComCheckOpen()) return -1;
            return target == polltarget::kLocal ? QVZB_CEL_GetADvalueLocal(channel)
                                                : QVZB_CEL_GetADvalueRemote(channel, target);
        });
        if (value >= 0) {
            std::lock_guard<std::mutex> lock(samplesMutex_);
            samples_.emplace_back(channel, value);
        }
    }
    worker_.pause(std::chrono::milliseconds(periodMs_.load()));
}

void CPageDevADCel::redraw() {
    publishTarget();
    std::vector<std::pair<int, int>> taken;
    {
        std::lock_guard<std::mutex> lock(samplesMutex_);
        taken.swap(samples_);
    }
    const int current = channel_.load();
    for (const auto& [channel, value] : taken)
        if (channel == current) shown_.push_back(value);
    if (shown_.size() > kChartSamples)
        shown_.erase(shown_.begin(), shown_.end() - kChartSamples);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(shown_.size()));
    for (size_t i = 0; i < shown_.size(); ++i) points.append(QPointF(static_cast<double>(i), shown_[i]));
    series_->replace(points);
    if (!shown_.empty()) meter_->setValue(shown_.back());
}

void CPageDevADCel::chooseChannel(int channel) {
    channel0_->setChecked(channel == 0);
    channel1_->setChecked(channel == 1);
    if (channel == channel_.load()) return;
    shown_.clear();
    {
        std::lock_guard<std::mutex> lock(samplesMutex_);
        samples_.clear();
    }
    channel_.store(channel);
    redraw();
}

void CPageDevADCel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!realtime_->isChecked()) return;
    active_.store(true);
    redraw_->start(kShownRedrawMs);
}

void CPageDevADCel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    redraw_->stop();
    active_.store(false);
}
