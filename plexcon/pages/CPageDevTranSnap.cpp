#include "pages/CPageDevTranSnap.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QTimer>
#include <QValueAxis>

#include <algorithm>

#include "pages/PageLists.h"
#include "shell/CPanViewSnap.h"
#include "shell/LibraryCall.h"
#include "shell/UiPost.h"

using Icon = Operator::Icon;

namespace {

constexpr int kNone = -2;
constexpr int kMeterMax = 255;

}  // namespace

// The chart: the last samples as a line over a sample counter, the value axis growing with the largest value.
class CPageDevTranSnap::SignalChart : public QChartView {
public:
    SignalChart() {
        series_ = new QLineSeries;
        series_->setName(QObject::tr("信号强度(db)"));
        auto* chart = new QChart;
        chart->addSeries(series_);
        chart->legend()->hide();
        x_ = new QValueAxis;
        x_->setLabelFormat(QStringLiteral("%d"));
        y_ = new QValueAxis;
        y_->setRange(0, 100);
        y_->setLabelFormat(QStringLiteral("%d"));
        chart->addAxis(x_, Qt::AlignBottom);
        chart->addAxis(y_, Qt::AlignLeft);
        series_->attachAxis(x_);
        series_->attachAxis(y_);
        chart->setMargins(QMargins(4, 4, 4, 4));
        setChart(chart);
        setRenderHint(QPainter::Antialiasing);
        setMinimumHeight(180);
        setAccessibleName(QObject::tr("信号强度曲线"));
        x_->setRange(0, kSamplesShown);
    }
    void add(int value) {
        series_->append(next_++, value);
        if (series_->count() > kSamplesShown) series_->remove(0);
        const qreal first = series_->at(0).x();
        x_->setRange(first, first + kSamplesShown);
        if (value > y_->max()) y_->setMax(value + 10);
    }
    QList<int> values() const {
        QList<int> v;
        for (const QPointF& p : series_->points()) v << static_cast<int>(p.y());
        return v;
    }

private:
    QLineSeries* series_ = nullptr;
    QValueAxis* x_ = nullptr;
    QValueAxis* y_ = nullptr;
    qreal next_ = 0;
};

CPageDevTranSnap::CPageDevTranSnap(CPanViewSnap* panel)
    : SnapConfigPage(panel, {snap::TranPage, tr("获取"), tr("设置"), {tr("操作失败，串口未打开！"), Icon::Critical},
                             {tr("修改成功!"), Icon::Information}, {tr("修改失败"), Icon::Plain},
                             {11, 16, 12, 19, 14, 17}}) {
    rate_ = MakeList({"250 K", "500 K", "1  M"});
    power_ = MakeList({"0x00:  -50 dBm", "0x01:  -40 dBm", "0x02:  -30 dBm", "0x03:  -25 dBm", "0x04:  -20 dBm",
                       "0x05:  -15 dBm", "0x06:  -10 dBm", "0x07:  -7  dBm", "0x08:  -5  dBm", "0x09:  0   dBm",
                       "0x0A:  1   dBm", "0x0B:  2   dBm", "0x0C:  3   dBm", "0x0D:  4   dBm", "0x0E:  5   dBm",
                       "0x0F:  6   dBm", "0x10:  7   dBm", "0x11:  8   dBm"});
    routing_ = MakeList({tr("否"), tr("是")});
    strength_ = new QLineEdit;
    strength_->setReadOnly(true);
    live_ = new QCheckBox(tr("实时更新信号强度"));
    meter_ = new QProgressBar;
    meter_->setRange(0, kMeterMax);
    meter_->setValue(0);
    meter_->setFormat(QStringLiteral("%v"));
    meter_->setOrientation(Qt::Vertical);
    meter_->setAccessibleName(tr("信号强度"));
    chart_ = new SignalChart;

    addField(0, 0, tr("速率"), rate_);
    addField(1, 0, tr("无线发送功率"), power_);
    addField(2, 0, tr("路由功能使能"), routing_);
    addField(3, 0, tr("信号强度(db)"), strength_);
    fields()->addWidget(live_, 4, 0, 1, 2);
    fields()->addWidget(chart_, 5, 0, 1, 5);
    fields()->addWidget(meter_, 5, 5);

    redraw_ = new QTimer(this);
    redraw_->setInterval(1000);
    connect(redraw_, &QTimer::timeout, this, &CPageDevTranSnap::publishTarget);
    connect(live_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) startSignal();
        else stopSignal();
    });
}

CPageDevTranSnap::~CPageDevTranSnap() { stopSignal(); }

void CPageDevTranSnap::fill(const SnapRecord& r) {
    SelectEntry(rate_, r.DRATE);
    SelectEntry(power_, r.TXPOWER);
    SelectEntry(routing_, r.ENROUT);
    strength_->setText(QString::number(r.SSTRONG));
}

void CPageDevTranSnap::collect(SnapRecord& r) {
    CollectEntry(rate_, r.DRATE);
    CollectEntry(routing_, r.ENROUT);
    CollectEntry(power_, r.TXPOWER);
}

QList<int> CPageDevTranSnap::samples() const { return chart_->values(); }

void CPageDevTranSnap::publishTarget() {
    if (!panel()->remoteMode()) target_.store(-1);
    else target_.store(panel()->selectedRemote() >= 0 ? panel()->selectedRemote() : kNone);
}

void CPageDevTranSnap::startSignal() {
    if (worker_.joinable() || !isVisible()) return;
    publishTarget();
    active_.store(true);
    redraw_->setInterval(static_cast<int>(interval_.count()));
    redraw_->start();
    const int run = ++run_;
    worker_ = std::thread([this, run] { readSignals(run); });
}

void CPageDevTranSnap::stopSignal() {
    redraw_->stop();
    {
        std::lock_guard<std::mutex> lock(wakeMutex_);
        active_.store(false);
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void CPageDevTranSnap::readSignals(int run) {
    std::unique_lock<std::mutex> lock(wakeMutex_);
    while (active_.load()) {
        if (wake_.wait_for(lock, interval_, [this] { return !active_.load(); })) break;
        const int target = target_.load();
        if (target == kNone) continue;
        lock.unlock();
        int value = -1;
        WithLibrary([&] {
            if (QVZB_ComCheckOpen())
                value = target < 0 ? QVZB_SNAP_GetLocalSignalPower() : QVZB_SNAP_GetRemoteSignalPower(target);
            return 0;
        });
        // A value still on its way when the run stops is dropped.
        if (value >= 0)
            PostToUi(this, [this, value, run] { if (run == run_ && worker_.joinable()) addSample(value); });
        lock.lock();
    }
}

void CPageDevTranSnap::addSample(int value) {
    chart_->add(value);
    meter_->setValue(std::min(value, kMeterMax));
}

void CPageDevTranSnap::hideEvent(QHideEvent* e) {
    stopSignal();
    SnapConfigPage::hideEvent(e);
}

void CPageDevTranSnap::showEvent(QShowEvent* e) {
    SnapConfigPage::showEvent(e);
    if (live_->isChecked()) startSignal();
}
