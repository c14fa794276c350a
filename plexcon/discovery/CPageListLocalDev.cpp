#include "discovery/CPageListLocalDev.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "shell/FamilyPanel.h"
#include "shell/LibraryCall.h"

CPageListLocalDev::CPageListLocalDev(FamilyPanel* panel) : panel_(panel) {
    load_ = new QPushButton(tr("获取本地信息"));
    reset_ = new QPushButton(tr("复位本地设备"));
    search_ = new QPushButton(tr("搜索网络设备"));
    search_->setEnabled(false);

    // Stacked upwards from the bottom at the right: search, read, reset.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 12, 5, 20);
    column->setSpacing(8);
    column->addStretch();
    for (QPushButton* b : {search_, load_, reset_}) {
        b->setMinimumHeight(30);
        column->addWidget(b, 0, Qt::AlignRight);
    }

    const QString notOpen = tr("操作失败，串口未打开...");
    connect(load_, &QPushButton::clicked, this, [this, notOpen] {
        if (PortIsOpen()) panel_->postLoadInfo();
        else panel_->op().message(this, notOpen, Operator::Icon::Critical);
    });
    connect(reset_, &QPushButton::clicked, this, [this, notOpen] {
        if (PortIsOpen()) panel_->postReset();
        else panel_->op().message(this, notOpen, Operator::Icon::Plain);
    });
    connect(search_, &QPushButton::clicked, this, [this, notOpen] {
        if (PortIsOpen()) panel_->postShowRemote();
        else panel_->op().message(this, notOpen, Operator::Icon::Critical);
    });
}
