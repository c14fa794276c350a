#include "discovery/OrlnetSnapSearchDialog.h"

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

#include "shell/LibraryLock.h"
#include "shell/Operator.h"
#include "shell/SettingsFile.h"
#include "shell/UiPost.h"

namespace {

const QString kSection = QStringLiteral("Search");
constexpr int kFirstChannel = 11;

QString Marks(const QCheckBox* const* boxes, size_t n) {
    QString text;
    for (size_t i = 0; i < n; ++i) text += boxes[i]->isChecked() ? u'1' : u'0';
    return text;
}

void CheckFromMarks(QCheckBox* const* boxes, size_t n, const QString& marks) {
    for (size_t i = 0; i < n && i < static_cast<size_t>(marks.size()); ++i)
        if (marks[static_cast<qsizetype>(i)] == u'1') boxes[i]->setChecked(true);
}

}  // namespace

OrlnetSnapSearchDialog::OrlnetSnapSearchDialog(const ShellContext& context, Kind kind, std::atomic<bool>& flag,
                                               QWidget* parent)
    : QDialog(parent), context_(context), kind_(std::move(kind)), flag_(flag) {
    setWindowTitle(QStringLiteral("Search Dev"));

    auto* channelGroup = new QGroupBox(tr("搜索配置"));
    auto* channelGrid = new QGridLayout(channelGroup);
    for (int i = 0; i < 16; ++i) {
        auto* box = new QCheckBox(
            QStringLiteral("Channel-%1(%2MHz) ").arg(kFirstChannel + i).arg(2405 + 5 * i));
        channels_[static_cast<size_t>(i)] = box;
        channelGrid->addWidget(box, i / 4, i % 4);
    }

    auto* rateGroup = new QGroupBox(tr("速率选择"));
    auto* rateRow = new QHBoxLayout(rateGroup);
    int r = 0;
    for (const char* caption : {"250K", "500K", "1M"}) {
        rates_[static_cast<size_t>(r)] = new QCheckBox(QString::fromLatin1(caption));
        rateRow->addWidget(rates_[static_cast<size_t>(r++)]);
    }
    selectAll_ = new QCheckBox(kind_.selectAllCaption);
    rateRow->addWidget(selectAll_);
    rateRow->addStretch();
    connect(selectAll_, &QCheckBox::toggled, this, [this](bool on) {
        for (QCheckBox* b : channels_) b->setChecked(on);
        for (QCheckBox* b : rates_) b->setChecked(on);
    });

    extra_ = new QGridLayout;

    found_ = new QTreeWidget;
    found_->setRootIsDecorated(false);
    found_->setSelectionBehavior(QAbstractItemView::SelectRows);
    found_->setHeaderLabels(kind_.columns);
    found_->setAccessibleName(tr("搜索到的设备"));
    found_->header()->setSectionsMovable(false);
    for (size_t i = 0; i < kind_.columnWidths.size(); ++i) found_->setColumnWidth(static_cast<int>(i), kind_.columnWidths[i]);

    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setAccessibleName(tr("搜索进度"));

    search_ = new QPushButton(tr("搜索"));
    stop_ = new QPushButton(tr("停止"));
    exit_ = new QPushButton(tr("退出"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(progress_, 1);
    for (QPushButton* b : {search_, stop_, exit_}) buttons->addWidget(b);

    auto* column = new QVBoxLayout(this);
    column->addWidget(channelGroup);
    column->addWidget(rateGroup);
    column->addLayout(extra_);
    column->addWidget(found_, 1);
    column->addLayout(buttons);
    resize(640, 560);

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &OrlnetSnapSearchDialog::tick);
    connect(search_, &QPushButton::clicked, this, &OrlnetSnapSearchDialog::searchCommand);
    connect(stop_, &QPushButton::clicked, this, [this] { stopCommand(); });
    connect(exit_, &QPushButton::clicked, this, &OrlnetSnapSearchDialog::exitCommand);

    search_->setEnabled(!flag_.load());
    stop_->setEnabled(flag_.load());
    const SettingsFile settings(context_.settingsPath);
    CheckFromMarks(channels_.data(), static_cast<size_t>(kind_.channelsRead), settings.ReadText(kSection, "Channel"));
    CheckFromMarks(rates_.data(), static_cast<size_t>(kind_.ratesRead), settings.ReadText(kSection, "Rate"));
}

OrlnetSnapSearchDialog::~OrlnetSnapSearchDialog() { stopWorker(); }

void OrlnetSnapSearchDialog::searchCommand() {
    stopWorker();  // an earlier run has ended (its flag is clear); collect its thread
    counter_ = 0;
    Selection selection;
    for (int i = 0; i < kind_.channelsRead; ++i)
        if (channels_[static_cast<size_t>(i)]->isChecked()) selection.channels.push_back(kFirstChannel + i);
    for (int i = 0; i < kind_.ratesRead; ++i)
        if (rates_[static_cast<size_t>(i)]->isChecked()) selection.rates.push_back(i);
    if (!prepareSearch(selection)) return;

    flag_.store(true);
    search_->setEnabled(false);
    exit_->setEnabled(false);
    stop_->setEnabled(true);
    worker_ = std::thread([this, selection] {
        runSearch(selection);
        flag_.store(false);
    });
    timer_->start();
}

void OrlnetSnapSearchDialog::tick() {
    if (flag_.load()) {
        ++counter_;
        progress_->setValue(std::min(counter_, progress_->maximum()));
        if (counter_ > 100) counter_ = 0;
        // New finds only while the worker is between two search calls: the UI never waits for one.
        std::unique_lock<std::recursive_mutex> idle(LibraryMutex(), std::try_to_lock);
        if (!idle.owns_lock()) return;
        const int count = libraryCount();
        if (found_->topLevelItemCount() < count) {
            found_->clear();
            for (int i = 0; i < count; ++i) new QTreeWidgetItem(found_, libraryRow(i));
        }
        return;
    }
    stopTimerAndRestore();
    exitCommand();
}

void OrlnetSnapSearchDialog::stopTimerAndRestore() {
    counter_ = 0;
    timer_->stop();
    progress_->setValue(0);
    restoreButtons();
}

void OrlnetSnapSearchDialog::restoreButtons() {
    exit_->setEnabled(true);
    search_->setEnabled(true);
    stop_->setEnabled(false);
}

void OrlnetSnapSearchDialog::stopCommand() { clearFlag(); }

void OrlnetSnapSearchDialog::stopWorker() {
    flag_.store(false);
    if (worker_.joinable()) worker_.join();
}

void OrlnetSnapSearchDialog::exitCommand() {
    storeSettings();
    stopWorker();
    timer_->stop();
    accept();
}

void OrlnetSnapSearchDialog::reject() {
    stopWorker();
    timer_->stop();
    restoreButtons();
    QDialog::reject();
}

void OrlnetSnapSearchDialog::storeSettings() {
    const SettingsFile settings(context_.settingsPath);
    settings.WriteText(kSection, QStringLiteral("Channel"), Marks(channels_.data(), channels_.size()));
    settings.WriteText(kSection, QStringLiteral("Rate"), Marks(rates_.data(), rates_.size()));
    storeExtraSettings();
}

void OrlnetSnapSearchDialog::sayLater(const QString& text, int icon) {
    PostToUi(this, [this, text, icon] { context_.op->message(this, text, static_cast<Operator::Icon>(icon)); });
}
