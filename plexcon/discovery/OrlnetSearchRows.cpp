#include "discovery/OrlnetSearchRows.h"

#include <QObject>
#include <QTreeWidget>

#include "radlink.h"
#include "shell/LibraryLock.h"

namespace orlnet {

namespace {

constexpr unsigned char kUpgradeState = 0xFF;

QString RateText(unsigned char rate) {
    switch (rate) {
        case 0: return QStringLiteral("250k");
        case 1: return QStringLiteral("500K");
        case 2: return QStringLiteral("1M");
        default: return QString::number(rate);
    }
}

}  // namespace

QStringList SearchColumns() {
    return {QObject::tr("通道号"), QObject::tr("速 率"), QObject::tr("网络号"), QObject::tr("本地ID"),
            QObject::tr("状 态")};
}

QStringList SearchRow(int index) {
    unsigned char channel = 0, rate = 0, state = 0;
    unsigned short panId = 0, address = 0;
    WithLibrary([&] {
        QVZB_ORLNET_GetSearchDevProperty(index, 2, &channel, 1);
        QVZB_ORLNET_GetSearchDevProperty(index, 3, &rate, 1);
        QVZB_ORLNET_GetSearchDevProperty(index, 4, &panId, 2);
        QVZB_ORLNET_GetSearchDevProperty(index, 5, &address, 2);
        return QVZB_ORLNET_GetSearchDevProperty(index, 6, &state, 1);
    });
    return {QString::number(channel), RateText(rate), QString::number(panId, 16), QString::number(address, 16),
            state == kUpgradeState ? QObject::tr("固件升级模式") : QObject::tr("正常模式")};
}

int FillSearchRows(QTreeWidget* list) {
    list->clear();
    const int count = WithLibrary([] { return QVZB_ORLNET_GetSearchDevCount(); });
    for (int i = 0; i < count; ++i) {
        auto* item = new QTreeWidgetItem(list, SearchRow(i));
        item->setData(0, Qt::AccessibleTextRole, item->text(3));
    }
    return count;
}

}  // namespace orlnet
