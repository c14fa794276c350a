#include "discovery/CDlgSearchCel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "radlink.h"
#include "shell/LibraryCall.h"
#include "shell/LibraryLock.h"
#include "shell/SettingsFile.h"

namespace {

const QString kSection = QStringLiteral("Search");
const QString kChannelKey = QStringLiteral("Channel");
const QString kRateKey = QStringLiteral("Rate");
constexpr int kProgressFull = 100;
constexpr auto kStopWait = std::chrono::milliseconds(2000);

// Checks box i when character i of the stored text is "1".
template <size_t N>
void CheckFromText(const std::array<QCheckBox*, N>& boxes, const QString& text) {
    for (size_t i = 0; i < N && static_cast<qsizetype>(i) < text.size(); ++i)
        boxes[i]->setChecked(text[static_cast<qsizetype>(i)] == u'1');
}

template <size_t N>
QString TextFromChecks(const std::array<QCheckBox*, N>& boxes) {
    QString text;
    for (const QCheckBox* b : boxes) text += b->isChecked() ? u'1' : u'0';
    return text;
}

}  // namespace

CDlgSearchCel::CDlgSearchCel(QString settingsPath, QWidget* parent, std::chrono::milliseconds tick)
    : QDialog(parent), settingsPath_(std::move(settingsPath)) {
    setWindowTitle(tr("Search Dev"));

    auto* channelGroup = new QGroupBox(tr("搜索配置"));
    auto* channelGrid = new QGridLayout(channelGroup);
    for (int i = 0; i < kChannels; ++i) {
        const int channel = kFirstChannel + i;
        channelBoxes_[static_cast<size_t>(i)] =
            new QCheckBox(tr("Channel-%1(%2MHz) ").arg(channel).arg(2405 + 5 * (channel - kFirstChannel)));
        channelGrid->addWidget(channelBoxes_[static_cast<size_t>(i)], i / 4, i % 4);
    }

    auto* rateGroup = new QGroupBox(tr("速率选择"));
    auto* rateRow = new QHBoxLayout(rateGroup);
    const QString rateCaptions[kRates] = {tr("250K"), tr("500K"), tr("1M")};
    for (size_t i = 0; i < kRates; ++i) {
        rateBoxes_[i] = new QCheckBox(rateCaptions[i]);
        rateRow->addWidget(rateBoxes_[i]);
    }
    selectAll_ = new QCheckBox(tr("全选"));
    rateRow->addWidget(selectAll_);
    rateRow->addStretch();
    // Only a stored setting can check the faster rates.
    rateBoxes_[1]->hide();
    rateBoxes_[2]->hide();

    found_ = new QTreeWidget;
    found_->setColumnCount(5);
    found_->setHeaderLabels({tr("通道号"), tr("速率"), tr("网络号"), tr("本地ID"), tr("运行状态")});
    const int widths[] = {70, 70, 100, 100, 100};
    for (int c = 0; c < 5; ++c) found_->setColumnWidth(c, widths[c]);
    found_->setRootIsDecorated(false);
    found_->setSelectionBehavior(QAbstractItemView::SelectRows);
    found_->header()->setSectionsMovable(false);
    found_->setAccessibleName(tr("搜索到的设备"));

    progress_ = new QProgressBar;
    progress_->setRange(0, kProgressFull);
    progress_->setValue(0);
    progress_->setAccessibleName(tr("搜索进度"));

    search_ = new QPushButton(tr("搜索"));
    staticSearch_ = new QPushButton(tr("静态搜索"));
    staticSearch_->hide();
    stop_ = new QPushButton(tr("停止"));
    exit_ = new QPushButton(tr("退出"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {search_, staticSearch_, stop_, exit_}) {
        b->setAutoDefault(false);
        b->setMinimumSize(90, 28);
        buttons->addWidget(b);
    }

    auto* column = new QVBoxLayout(this);
    column->addWidget(channelGroup);
    column->addWidget(rateGroup);
    column->addWidget(found_, 1);
    column->addWidget(progress_);
    column->addLayout(buttons);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("searchTimer"));
    timer_->setInterval(tick);

    connect(selectAll_, &QCheckBox::toggled, this, [this](bool on) {
        for (QCheckBox* b : channelBoxes_) b->setChecked(on);
    });
    connect(search_, &QPushButton::clicked, this, &CDlgSearchCel::startSearch);
    connect(stop_, &QPushButton::clicked, this, &CDlgSearchCel::stopCommand);
    connect(exit_, &QPushButton::clicked, this, &CDlgSearchCel::exitCommand);
    connect(timer_, &QTimer::timeout, this, &CDlgSearchCel::tick);

    // A search of this kind may still run (or finish its last call): follow it until it ends.
    const bool idle = !searching_ && workersRunning_ == 0;
    search_->setEnabled(idle);
    stop_->setEnabled(searching_);
    if (!idle) timer_->start();
    readSettings();
    resize(620, 520);
}

CDlgSearchCel::~CDlgSearchCel() { stopAndJoinWorker(); }

void CDlgSearchCel::readSettings() {
    const SettingsFile settings(settingsPath_);
    CheckFromText(channelBoxes_, settings.ReadText(kSection, kChannelKey));
    CheckFromText(rateBoxes_, settings.ReadText(kSection, kRateKey));
}

void CDlgSearchCel::storeSettings() const {
    const SettingsFile settings(settingsPath_);
    settings.WriteText(kSection, kChannelKey, TextFromChecks(channelBoxes_));
    settings.WriteText(kSection, kRateKey, TextFromChecks(rateBoxes_));
}

void CDlgSearchCel::startSearch() {
    if (searching_ || workersRunning_ > 0) return;
    counter_ = 0;
    std::vector<int> channels;
    for (int i = 0; i < kChannels; ++i)
        if (channelBoxes_[static_cast<size_t>(i)]->isChecked()) channels.push_back(kFirstChannel + i);
    std::array<bool, kRates> rates{};
    for (size_t i = 0; i < kRates; ++i) rates[i] = rateBoxes_[i]->isChecked();

    awaitWorker(kStopWait);  // an earlier search of this dialog has ended by now; join it
    {
        std::lock_guard<std::mutex> lock(workerMutex_);
        workerDone_ = false;
        snapshotFresh_ = false;
    }
    searching_ = true;
    ++workersRunning_;
    search_->setEnabled(false);
    exit_->setEnabled(false);
    staticSearch_->setEnabled(false);
    stop_->setEnabled(true);
    worker_ = std::thread(&CDlgSearchCel::runWorker, this, std::move(channels), rates);
    timer_->start();
}

void CDlgSearchCel::runWorker(std::vector<int> channels, std::array<bool, kRates> rates) {
    [&] {
        for (int channel : channels) {
            for (int rate = 0; rate < kRates; ++rate) {
                if (!searching_) return;
                if (!rates[static_cast<size_t>(rate)]) continue;
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
        ++counter_;
        progress_->setValue(std::min(counter_, kProgressFull));  // 101 is drawn full
        if (counter_ > kProgressFull) counter_ = 0;
        std::vector<CelSearchEntry> entries;
        {
            std::lock_guard<std::mutex> lock(workerMutex_);
            if (snapshotFresh_) entries.swap(snapshot_);
            snapshotFresh_ = false;
        }
        if (static_cast<int>(entries.size()) > found_->topLevelItemCount()) CelSearchRows::Show(found_, entries);
        return;
    }
    if (workersRunning_ > 0) return;  // a stopped worker is finishing its last call
    goIdle();
}

void CDlgSearchCel::goIdle() {
    counter_ = 0;
    timer_->stop();
    progress_->setValue(0);
    exit_->setEnabled(true);
    search_->setEnabled(true);
    staticSearch_->setEnabled(true);
    stop_->setEnabled(false);
    awaitWorker(kStopWait);
    // Modules found in the last call, after the last tick.
    const auto entries = WithLibrary([] { return CelSearchRows::ReadLibrary(); });
    if (static_cast<int>(entries.size()) > found_->topLevelItemCount()) CelSearchRows::Show(found_, entries);
}

void CDlgSearchCel::exitCommand() {
    storeSettings();
    accept();
}

void CDlgSearchCel::done(int result) {
    stopAndJoinWorker();
    timer_->stop();
    QDialog::done(result);
}
