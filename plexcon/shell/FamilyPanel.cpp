#include "shell/FamilyPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

#include "discovery/RemoteDeviceList.h"

namespace {

constexpr int kDeviceTabsWidth = 320;
constexpr int kCategoryWidth = 150;

}  // namespace

FamilyPanel::FamilyPanel(const ShellContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("deviceTabs"));
    tabs_->setFixedWidth(kDeviceTabsWidth);
    tabs_->setAccessibleName(tr("设备"));

    categories_ = new QTreeWidget;
    categories_->setObjectName(QStringLiteral("categoryList"));
    categories_->setColumnCount(1);
    categories_->setHeaderLabels({tr("配置信息分类")});
    categories_->setRootIsDecorated(false);
    categories_->setFixedWidth(kCategoryWidth);
    categories_->header()->setSectionsMovable(false);
    categories_->header()->setStretchLastSection(true);
    categories_->setAccessibleName(tr("配置信息分类"));
    categories_->setStyleSheet(QStringLiteral("QTreeWidget::item { padding: 5px 2px; }"));

    pages_ = new QStackedWidget;
    pages_->setObjectName(QStringLiteral("pageArea"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 4);
    row->setSpacing(8);
    row->addWidget(tabs_);
    row->addWidget(categories_);
    row->addWidget(pages_, 1);

    // A click on a row shows its page; a click outside any row changes nothing.
    connect(categories_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { selectCategory(categories_->indexOfTopLevelItem(item)); });
    connect(categories_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) selectCategory(categories_->indexOfTopLevelItem(item));
    });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab >= 0) tabChosen(tab);
    });
}

void FamilyPanel::setLocalPage(QWidget* page) { tabs_->insertTab(LocalTab, page, tr("本地模块")); }

void FamilyPanel::setRemoteList(RemoteDeviceList* list) {
    remoteList_ = list;
    tabs_->insertTab(RemoteTab, list, tr("远程模块"));
    tabs_->setCurrentIndex(LocalTab);
}

void FamilyPanel::addCategory(const QString& caption, QWidget* page) {
    auto* item = new QTreeWidgetItem(categories_, {caption});
    item->setData(0, Qt::AccessibleTextRole, caption);
    pages_->addWidget(page);
    if (categories_->topLevelItemCount() == 1) selectCategory(0);
}

void FamilyPanel::addHiddenPage(QWidget* page) {
    page->setParent(pages_);
    page->hide();
}

int FamilyPanel::categoryCount() const { return categories_->topLevelItemCount(); }

QWidget* FamilyPanel::page(int row) const { return row >= 0 && row < categoryCount() ? pages_->widget(row) : nullptr; }

QWidget* FamilyPanel::currentPage() const { return pages_->currentWidget(); }

void FamilyPanel::selectCategory(int row) {
    if (row < 0 || row >= categoryCount()) return;
    if (categories_->currentItem() != categories_->topLevelItem(row))
        categories_->setCurrentItem(categories_->topLevelItem(row));
    pages_->setCurrentIndex(row);
}

int FamilyPanel::selectedRemote() const { return remoteList_ ? remoteList_->selectedRow() : -1; }

void FamilyPanel::postShowRemote() {
    QMetaObject::invokeMethod(this, [this] { showRemoteCommand(); }, Qt::QueuedConnection);
}

void FamilyPanel::postLoadInfo() {
    QMetaObject::invokeMethod(this, [this] { loadInfoCommand(); }, Qt::QueuedConnection);
}

void FamilyPanel::postReset() {
    QMetaObject::invokeMethod(this, [this] { resetCommand(); }, Qt::QueuedConnection);
}

void FamilyPanel::showRemoteCommand() {
    if (!remoteList_) return;
    tabs_->setCurrentIndex(RemoteTab);
    currentTab_ = RemoteTab;
    remoteList_->search();
}

void FamilyPanel::tabChosen(int tab) { currentTab_ = tab; }

void FamilyPanel::say(const QString& text, Operator::Icon icon) { context_.op->message(this, text, icon); }
