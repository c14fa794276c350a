#include "tools/CPageDetectRouter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "controls/ColumnWidths.h"
#include "shell/CPanViewOrlnet.h"
#include "shell/LibraryCall.h"
#include "tools/CsvFile.h"

using Icon = Operator::Icon;

namespace {

constexpr int kMaxHops = 20;
constexpr int kNodeWidth = 64, kNodeHeight = 30, kLinkWidth = 46, kMargin = 12;

int HopsOf(const OrlnetRoute& r) { return std::min<int>(r.hopCount, kMaxHops); }

QString HopsText(const OrlnetRoute& r) {
    QString text;
    for (int i = 0; i < HopsOf(r); ++i) text += QStringLiteral("%1 ").arg(r.hops[i], 4, 16, QLatin1Char('0'));
    return text;
}

}  // namespace

RouteChainView::RouteChainView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(tr("路由图"));
    setMinimumHeight(kNodeHeight + 2 * kMargin + 20);
}

void RouteChainView::setRoute(const OrlnetRoute* route) {
    hasRoute_ = route != nullptr;
    text_.clear();
    if (route) {
        route_ = *route;
        QStringList nodes{tr("本地")};
        for (int i = 0; i < HopsOf(route_); ++i) nodes << QString::number(route_.hops[i], 16);
        text_ = tr("%1, 最弱链路 %2dBm → %3")
                    .arg(nodes.join(QStringLiteral(" → ")), QString::number(route_.weakestSignal),
                         QString::number(route_.weakestNodeId, 16));
    }
    setAccessibleDescription(text_);
    updateGeometry();
    update();
}

QSize RouteChainView::sizeHint() const {
    const int nodes = hasRoute_ ? HopsOf(route_) + 1 : 1;
    return {2 * kMargin + nodes * kNodeWidth + (nodes - 1) * kLinkWidth, kNodeHeight + 2 * kMargin + 20};
}

void RouteChainView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!hasRoute_) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(rect(), Qt::AlignCenter, tr("选择一行以显示其路由"));
        return;
    }
    const int top = kMargin + 16;
    int x = kMargin;
    for (int i = 0; i <= HopsOf(route_); ++i) {
        const bool target = i == HopsOf(route_);
        if (i > 0) {
            const unsigned short node = route_.hops[i - 1];
            const bool weakest = node == route_.weakestNodeId;
            QPen pen(weakest ? QColor(200, 30, 30) : palette().color(QPalette::Text), weakest ? 3 : 1.5);
            p.setPen(pen);
            const int y = top + kNodeHeight / 2;
            p.drawLine(x - kLinkWidth, y, x, y);
            p.drawLine(x, y, x - 7, y - 4);
            p.drawLine(x, y, x - 7, y + 4);
            if (weakest)
                p.drawText(QRect(x - kLinkWidth - 20, kMargin - 2, kLinkWidth + 40, 16), Qt::AlignCenter,
                           QStringLiteral("%1dBm").arg(route_.weakestSignal));
        }
        const QRect box(x, top, kNodeWidth, kNodeHeight);
        p.setPen(QPen(palette().color(QPalette::Text), 1.2));
        p.setBrush(i == 0 ? palette().color(QPalette::Highlight).lighter(170)
                          : (target ? QColor(220, 240, 220) : palette().color(QPalette::Base)));
        p.drawRoundedRect(box, 6, 6);
        p.drawText(box, Qt::AlignCenter, i == 0 ? tr("本地") : QString::number(route_.hops[i - 1], 16));
        x += kNodeWidth + kLinkWidth;
    }
}

CPageDetectRouter::CPageDetectRouter(CPanViewOrlnet* panel) : panel_(panel) {
    auto* label = new QLabel(tr("查找ID:"));
    address_ = new QLineEdit;
    label->setBuddy(address_);
    local_ = new QRadioButton(tr("本地查找"));
    remote_ = new QRadioButton(tr("远程查找"));
    remote_->setChecked(true);
    auto* detect = new QPushButton(tr("开始查找"));
    auto* clear = new QPushButton(tr("清空列表"));
    auto* save = new QPushButton(tr("保存为CSV"));
    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(address_);
    top->addWidget(local_);
    top->addWidget(remote_);
    top->addWidget(detect);
    top->addWidget(clear);
    top->addWidget(save);
    top->addStretch();

    list_ = new QTreeWidget;
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setHeaderLabels({tr("查找ID"), tr("路由级数"), tr("最小信号强度(ID)"), tr("路由ID")});
    list_->setAccessibleName(tr("路由表"));
    list_->header()->setSectionsMovable(false);
    SetColumnWidths(list_, {55, 65, 110, 500});

    chain_ = new RouteChainView;
    auto* column0 = new QVBoxLayout(this);
    column0->setContentsMargins(14, 12, 14, 12);
    column0->addLayout(top);
    column0->addWidget(list_, 1);
    column0->addWidget(chain_);

    connect(detect, &QPushButton::clicked, this, &CPageDetectRouter::detectCommand);
    connect(clear, &QPushButton::clicked, this, &CPageDetectRouter::clearCommand);
    connect(save, &QPushButton::clicked, this, &CPageDetectRouter::saveCsvCommand);
    connect(list_, &QTreeWidget::currentItemChanged, this, &CPageDetectRouter::showSelectedRoute);
}

QString CPageDetectRouter::StatusMessage(int code) {
    switch (code) {
        case 0xA1: return tr("查找本地路由表失败");
        case 0xA2: return tr("申请缓存失败");
        case 0xA3: return tr("查找远程路由表超时");
        case 0xA4: return tr("发送数据超时");
        case 0xA5: return tr("设备忙");
        default: return tr("未知错误");
    }
}

void CPageDetectRouter::detectCommand() {
    if (!PortIsOpen()) {
        panel_->op().message(this, tr("操作失败，串口未打开！"), Icon::Critical);
        return;
    }
    bool ok = false;
    const unsigned address = address_->text().trimmed().toUInt(&ok, 16);
    const auto target = static_cast<unsigned short>(ok ? address : 0);
    const int table = remote_->isChecked() ? 1 : 0;
    OrlnetRoute route{};
    const int result = BusyLibraryCall([&] { return QVZB_ORLNET_DetectRoute(target, table, &route); });
    if (result == 0) {
        panel_->op().message(this, tr("查找路由表失败!"), Icon::Plain);
        return;
    }
    if (result != 1) {
        panel_->op().message(this, StatusMessage(result), Icon::Plain);
        return;
    }
    auto found = std::find(routeIds_.begin(), routeIds_.end(), target);
    const auto row = static_cast<int>(found - routeIds_.begin());
    QTreeWidgetItem* item = nullptr;
    if (found == routeIds_.end()) {
        routeIds_.push_back(target);
        routes_.push_back(route);
        item = new QTreeWidgetItem(list_, {QString::number(target, 16)});
    } else {
        routes_[static_cast<size_t>(row)] = route;
        item = list_->topLevelItem(row);
    }
    item->setText(1, QString::number(route.hopCount));
    item->setText(2, tr("%1dBm (ID：%2)").arg(route.weakestSignal).arg(route.weakestNodeId, 0, 16));
    item->setText(3, HopsText(route));
    if (list_->currentItem() == item) showSelectedRoute();
    else list_->setCurrentItem(item);
    panel_->op().message(this, tr("查找路由表成功!"), Icon::Plain);
}

void CPageDetectRouter::clearCommand() {
    list_->clear();
    routeIds_.clear();
    routes_.clear();
    chain_->setRoute(nullptr);
}

void CPageDetectRouter::showSelectedRoute() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    chain_->setRoute(row >= 0 && row < static_cast<int>(routes_.size()) ? &routes_[static_cast<size_t>(row)] : nullptr);
}

void CPageDetectRouter::saveCsvCommand() {
    const QString path = panel_->op().chooseSaveFile(this, tr("CSV文件 (*.csv)"), QStringLiteral("routes.csv"));
    if (path.isEmpty()) return;
    QList<QStringList> rows{{tr("查找ID"), tr("路由级数"), tr("最小信号强度(dBm)"), tr("最小信号强度ID"), tr("路由ID")}};
    for (size_t i = 0; i < routes_.size(); ++i) {
        const OrlnetRoute& r = routes_[i];
        rows << QStringList{QString::number(routeIds_[i], 16), QString::number(r.hopCount),
                            QString::number(r.weakestSignal), QString::number(r.weakestNodeId, 16),
                            HopsText(r).trimmed()};
    }
    if (!WriteCsvFile(path, rows)) panel_->op().message(this, tr("保存文件失败"), Icon::Critical);
}
