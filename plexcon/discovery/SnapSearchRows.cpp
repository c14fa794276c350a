#include "discovery/SnapSearchRows.h"

#include <QTreeWidget>

#include "radlink.h"
#include "shell/LibraryLock.h"

namespace snap {

QStringList SearchRow(int index) {
    unsigned char mac[8] = {};
    unsigned short netId = 0;
    unsigned char channel = 0;
    WithLibrary([&] {
        QVZB_SNAP_GetSearchDevProperty(index, 1, mac, sizeof mac);
        QVZB_SNAP_GetSearchDevProperty(index, 2, &netId, sizeof netId);
        return QVZB_SNAP_GetSearchDevProperty(index, 3, &channel, sizeof channel);
    });
    QStringList groups;
    for (unsigned char b : mac) groups << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0'));
    return {QString::number(index), QString::number(netId, 16), QString::number(channel + 11), groups.join(u':')};
}

int FillSearchRows(QTreeWidget* list) {
    list->clear();
    const int count = WithLibrary([] { return QVZB_SNAP_GetSearchDevCount(); });
    for (int i = 0; i < count; ++i) {
        auto* item = new QTreeWidgetItem(list, SearchRow(i));
        item->setData(0, Qt::AccessibleTextRole, item->text(3));
    }
    return count;
}

}  // namespace snap
