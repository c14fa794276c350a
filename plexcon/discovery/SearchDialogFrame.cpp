#include "discovery/SearchDialogFrame.h"

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

#include "controls/ColumnWidths.h"
#include "shell/SettingsFile.h"

namespace {

const QString kSection = QStringLiteral("Search");
const QString kChannelKey = QStringLiteral("Channel");
const QString kRateKey = QStringLiteral("Rate");

template <size_t N>
void CheckFromMarks(const std::array<QCheckBox*, N>& boxes, int count, const QString& marks) {
    for (int i = 0; i < count && i < static_cast<int>(N) && i < marks.size(); ++i)
        boxes[static_cast<size_t>(i)]->setChecked(marks[i] == u'1');
}

template <size_t N>
QString Marks(const std::array<QCheckBox*, N>& boxes) {
    QString text;
    for (const QCheckBox* b : boxes) text += b->isChecked() ? u'1' : u'0';
    return text;
}

QPushButton* CommandButton(const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setAutoDefault(false);
    b->setMinimumSize(90, 28);
    return b;
}

}  // namespace

SearchDialogFrame::SearchDialogFrame(QString settingsPath, const Look& look, std::chrono::milliseconds tick,
                                     QWidget* parent)
    : QDialog(parent), settingsPath_(std::move(settingsPath)) {
    setWindowTitle(tr("Search Dev"));

    auto* channelGroup = new QGroupBox(tr("搜索配置"));
    auto* channelGrid = new QGridLayout(channelGroup);
    for (int i = 0; i < kChannels; ++i) {
        auto* box = new QCheckBox(tr("Channel-%1(%2MHz) ").arg(kFirstChannel + i).arg(2405 + 5 * i));
        channels_[static_cast<size_t>(i)] = box;
        channelGrid->addWidget(box, i / 4, i % 4);
    }

    auto* rateGroup = new QGroupBox(tr("速率选择"));
    auto* rateRow = new QHBoxLayout(rateGroup);
    const QString rateCaptions[kRates] = {tr("250K"), tr("500K"), tr("1M")};
    for (size_t i = 0; i < kRates; ++i) {
        rates_[i] = new QCheckBox(rateCaptions[i]);
        rateRow->addWidget(rates_[i]);
    }
    selectAll_ = new QCheckBox(look.selectAllCaption);
    rateRow->addWidget(selectAll_);
    rateRow->addStretch();
    connect(selectAll_, &QCheckBox::toggled, this, [this, ticksRates = look.selectAllTicksRates](bool on) {
        for (QCheckBox* b : channels_) b->setChecked(on);
        if (ticksRates)
            for (QCheckBox* b : rates_) b->setChecked(on);
    });

    extra_ = new QGridLayout;

    found_ = new QTreeWidget;
    found_->setColumnCount(static_cast<int>(look.columns.size()));
    found_->setHeaderLabels(look.columns);
    SetColumnWidths(found_, look.columnWidths);
    found_->setRootIsDecorated(false);
    found_->setSelectionBehavior(QAbstractItemView::SelectRows);
    found_->header()->setSectionsMovable(false);
    found_->setAccessibleName(tr("搜索到的设备"));

    progress_ = new QProgressBar;
    progress_->setRange(0, kProgressFull);
    progress_->setValue(0);
    progress_->setAccessibleName(tr("搜索进度"));

    search_ = CommandButton(tr("搜索"));
    stop_ = CommandButton(tr("停止"));
    exit_ = CommandButton(tr("退出"));
    auto* buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("searchCommands"));
    buttons->addStretch();
    for (QPushButton* b : {search_, stop_, exit_}) buttons->addWidget(b);

    auto* column = new QVBoxLayout(this);
    column->addWidget(channelGroup);
    column->addWidget(rateGroup);
    column->addLayout(extra_);
    column->addWidget(found_, 1);
    column->addWidget(progress_);
    column->addLayout(buttons);
    resize(640, 560);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("searchTimer"));
    timer_->setInterval(tick);
}

QPushButton* SearchDialogFrame::addCommand(const QString& caption) {
    auto* buttons = findChild<QHBoxLayout*>(QStringLiteral("searchCommands"));
    auto* b = CommandButton(caption);
    buttons->insertWidget(buttons->indexOf(stop_), b);
    return b;
}

void SearchDialogFrame::readBoxes(int channels, int rates) {
    const SettingsFile settings(settingsPath_);
    CheckFromMarks(channels_, channels, settings.ReadText(kSection, kChannelKey));
    CheckFromMarks(rates_, rates, settings.ReadText(kSection, kRateKey));
}

void SearchDialogFrame::storeBoxes() const {
    const SettingsFile settings(settingsPath_);
    settings.WriteText(kSection, kChannelKey, Marks(channels_));
    settings.WriteText(kSection, kRateKey, Marks(rates_));
}

std::vector<int> SearchDialogFrame::checkedChannels(int channels) const {
    std::vector<int> numbers;
    for (int i = 0; i < channels && i < kChannels; ++i)
        if (channels_[static_cast<size_t>(i)]->isChecked()) numbers.push_back(kFirstChannel + i);
    return numbers;
}

std::vector<int> SearchDialogFrame::checkedRates(int rates) const {
    std::vector<int> indexes;
    for (int i = 0; i < rates && i < kRates; ++i)
        if (rates_[static_cast<size_t>(i)]->isChecked()) indexes.push_back(i);
    return indexes;
}

void SearchDialogFrame::showSearching(bool searching) {
    search_->setEnabled(!searching);
    exit_->setEnabled(!searching);
    stop_->setEnabled(searching);
}

void SearchDialogFrame::advanceProgress() {
    ++counter_;
    progress_->setValue(std::min(counter_, kProgressFull));
    if (counter_ > kProgressFull) counter_ = 0;
}

void SearchDialogFrame::resetProgress() {
    counter_ = 0;
    progress_->setValue(0);
}
