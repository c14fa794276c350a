#include "discovery/CPageListDevRemoteCel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CDataEdit.h"
#include "discovery/CDlgSearchCel.h"
#include "discovery/CelSearchRows.h"
#include "pages/PageLists.h"
#include "shell/CPanViewCel.h"
#include "shell/LibraryCall.h"

using Icon = Operator::Icon;

namespace {

constexpr int kHandAddedWord = 1;
constexpr int kHandAddedRate = 0;
constexpr int kHandAddedState = 0xAA;

}  // namespace

CPageListDevRemoteCel::CPageListDevRemoteCel(CPanViewCel* panel) : panel_(panel) {
    rows_ = new QTreeWidget;
    rows_->setObjectName(QStringLiteral("remoteRows"));
    rows_->setColumnCount(5);
    rows_->setHeaderLabels({tr("通道号"), tr("速 率"), tr("网络号"), tr("本地网络地址"), tr("状 态")});
    // Each column as wide as its caption or contents, so none is clipped in the narrow device tab.
    for (int c = 0; c < 4; ++c) rows_->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    rows_->header()->setStretchLastSection(true);
    rows_->setRootIsDecorated(false);
    rows_->setSortingEnabled(false);
    rows_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_->header()->setSectionsMovable(false);
    rows_->header()->setSectionsClickable(false);
    rows_->setContextMenuPolicy(Qt::CustomContextMenu);
    rows_->setAccessibleName(tr("远程模块"));

    auto* search = new QPushButton(tr("搜索设备"));
    auto* reset = new QPushButton(tr("复位设备"));
    dynamicSearch_ = new QRadioButton(tr("动态搜索"));
    staticSearch_ = new QRadioButton(tr("静态搜索"));
    dynamicSearch_->setChecked(true);
    auto* modes = new QHBoxLayout;
    modes->addWidget(dynamicSearch_);
    modes->addWidget(staticSearch_);
    modes->addStretch();

    auto* addGroup = new QGroupBox(tr("手动添加"));
    auto* addGrid = new QGridLayout(addGroup);
    addChannel_ = new QComboBox;
    addChannel_->addItems(CelChannelEntries());
    addChannel_->setCurrentIndex(0);
    addAddress_ = new CDataEdit;
    auto* add = new QPushButton(tr("添加"));
    auto* channelLabel = new QLabel(tr("通道号"));
    channelLabel->setBuddy(addChannel_);
    auto* addressLabel = new QLabel(tr("本地网络地址"));
    addressLabel->setBuddy(addAddress_);
    addGrid->addWidget(channelLabel, 0, 0);
    addGrid->addWidget(addChannel_, 0, 1);
    addGrid->addWidget(addressLabel, 1, 0);
    addGrid->addWidget(addAddress_, 1, 1);
    addGrid->addWidget(add, 2, 1, Qt::AlignRight);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(search);
    buttons->addWidget(reset);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 8, 6, 8);
    column->addWidget(rows_, 1);
    column->addLayout(modes);
    column->addLayout(buttons);
    column->addWidget(addGroup);

    connect(search, &QPushButton::clicked, this, &CPageListDevRemoteCel::search);
    connect(reset, &QPushButton::clicked, this, &CPageListDevRemoteCel::resetCommand);
    connect(add, &QPushButton::clicked, this, &CPageListDevRemoteCel::addCommand);
    connect(rows_, &QTreeWidget::customContextMenuRequested, this, &CPageListDevRemoteCel::rowMenu);
}

int CPageListDevRemoteCel::selectedRow() const {
    int first = -1;
    for (QTreeWidgetItem* item : rows_->selectedItems()) {
        const int row = rows_->indexOfTopLevelItem(item);
        if (first < 0 || row < first) first = row;
    }
    return first;
}

void CPageListDevRemoteCel::rebuild() {
    const auto entries = WithLibrary([] { return CelSearchRows::ReadLibrary(); });
    CelSearchRows::Show(rows_, entries);
    rows_->clearSelection();
}

void CPageListDevRemoteCel::search() {
    if (!PortIsOpen()) {
        panel_->op().message(this, tr("操作失败,串口未打开..."), Icon::Critical);
        return;
    }
    // Dynamic: a fresh list; static: earlier entries (hand-added ones too) stay and new finds follow them.
    if (dynamicSearch_->isChecked()) WithLibrary([] { return QVZB_CEL_ClearSearchArr(); });
    CDlgSearchCel dialog(panel_->context().settingsPath, this);
    if (dialog.exec() == QDialog::Accepted) {
        rebuild();
        return;
    }
    // Closed with the close box: the rows stay while each still stands for the library entry at its position (new
    // finds behind them are not shown); after a dynamic search emptied the list they follow the library.
    const auto entries = WithLibrary([] { return CelSearchRows::ReadLibrary(); });
    const auto shown = CelSearchRows::Shown(rows_);
    bool inStep = shown.size() <= entries.size();
    for (size_t i = 0; inStep && i < shown.size(); ++i) inStep = shown[i] == CelSearchRows::Columns(entries[i]);
    if (!inStep) CelSearchRows::Show(rows_, entries);
}

void CPageListDevRemoteCel::resetCommand() {
    if (PortIsOpen()) panel_->postReset();
    else panel_->op().message(this, tr("操作失败，串口未打开..."), Icon::Critical);
}

void CPageListDevRemoteCel::addCommand() {
    if (!PortIsOpen()) {
        panel_->op().message(this, tr("操作失败，串口未打开..."), Icon::Critical);
        return;
    }
    const int address = addAddress_->value();
    const int channel = addChannel_->currentIndex() + CDlgSearchCel::kFirstChannel;
    CelRecord local{};
    if (!BusyLibraryCall([&] { return QVZB_CEL_GetPropertyAll(&local); })) return;
    const int exists = WithLibrary([&] {
        return QVZB_CEL_HandAddDev(kHandAddedWord, channel, kHandAddedRate, local.panId, address, kHandAddedState);
    });
    if (exists) {
        panel_->op().message(this, tr("手动添加数据已存在，请重新添加"), Icon::Plain);
        return;
    }
    CelSearchEntry added;
    added.channel = channel;
    added.rate = kHandAddedRate;
    added.panId = local.panId;
    added.address = static_cast<quint16>(address);
    added.state = kHandAddedState;
    CelSearchRows::Append(rows_, added);
}

void CPageListDevRemoteCel::rowMenu(const QPoint& at) {
    QTreeWidgetItem* item = rows_->itemAt(at);
    if (!item) return;
    rows_->clearSelection();
    item->setSelected(true);
    rows_->setCurrentItem(item);
    if (rows_->topLevelItemCount() == 0) return;
    QMenu menu(this);
    connect(menu.addAction(tr("删除此项")), &QAction::triggered, this, [this] { deleteRow(selectedRow()); });
    menu.exec(rows_->viewport()->mapToGlobal(at));
}

void CPageListDevRemoteCel::deleteRow(int row) {
    if (row < 0) return;
    delete rows_->takeTopLevelItem(row);
    rows_->update();
    WithLibrary([row] { return QVZB_CEL_DeleteDev(row); });
}
