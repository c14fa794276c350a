#include "discovery/OrlnetSnapRemoteList.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "controls/ColumnWidths.h"
#include "shell/FamilyPanel.h"
#include "shell/LibraryCall.h"

using Icon = Operator::Icon;

OrlnetSnapRemoteList::OrlnetSnapRemoteList(FamilyPanel* panel, const QStringList& columns,
                                           const std::vector<int>& widths)
    : panel_(panel) {
    list_ = new QTreeWidget;
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(columns);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setAccessibleName(tr("远程模块"));
    list_->header()->setSectionsMovable(false);
    SetColumnWidths(list_, widths);

    auto* search = new QPushButton(tr("搜索设备"));
    auto* load = new QPushButton(tr("获取信息"));
    auto* reset = new QPushButton(tr("复位设备"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {search, load, reset}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    const QString notOpen = tr("操作失败，串口未打开...");
    connect(search, &QPushButton::clicked, this, [this] { this->search(); });
    connect(load, &QPushButton::clicked, this, [this, notOpen] {
        if (PortIsOpen()) panel_->postLoadInfo();
        else panel_->op().message(this, notOpen, Icon::Critical);
    });
    connect(reset, &QPushButton::clicked, this, [this, notOpen] {
        if (PortIsOpen()) panel_->postReset();
        else panel_->op().message(this, notOpen, Icon::Critical);
    });
}

int OrlnetSnapRemoteList::selectedRow() const {
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.front();
}

QList<int> OrlnetSnapRemoteList::selectedRows() const {
    QList<int> rows;
    for (QTreeWidgetItem* item : list_->selectedItems()) rows << list_->indexOfTopLevelItem(item);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void OrlnetSnapRemoteList::refresh() {
    const QList<int> kept = selectedRows();
    const int count = fillRows();
    for (int row : kept)
        if (row < count) list_->topLevelItem(row)->setSelected(true);
    if (!kept.isEmpty() && kept.front() < count)
        list_->setCurrentItem(list_->topLevelItem(kept.front()), 0, QItemSelectionModel::NoUpdate);
}
