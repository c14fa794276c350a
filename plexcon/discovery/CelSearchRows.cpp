#include "discovery/CelSearchRows.h"

#include <QTreeWidget>

#include "radlink.h"

namespace {

// Search-key field numbers of QVZB_CEL_GetSearchDevProperty.
enum KeyField { kChannel = 2, kRate = 3, kPanId = 4, kAddress = 5, kState = 6 };
constexpr quint8 kUpgradeState = 0xFF;

template <typename T>
T KeyFieldOf(int index, KeyField field) {
    T value{};
    QVZB_CEL_GetSearchDevProperty(index, field, &value, sizeof value);
    return value;
}

QString Word(quint16 v) { return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')); }

}  // namespace

std::vector<CelSearchEntry> CelSearchRows::ReadLibrary() {
    std::vector<CelSearchEntry> entries;
    const int count = QVZB_CEL_GetSearchDevCount();
    for (int i = 0; i < count; ++i) {
        CelSearchEntry e;
        e.channel = KeyFieldOf<quint8>(i, kChannel);
        e.rate = KeyFieldOf<quint8>(i, kRate);
        e.panId = KeyFieldOf<quint16>(i, kPanId);
        e.address = KeyFieldOf<quint16>(i, kAddress);
        e.state = KeyFieldOf<quint8>(i, kState);
        entries.push_back(e);
    }
    return entries;
}

QStringList CelSearchRows::Columns(const CelSearchEntry& e) {
    const QString rates[] = {tr("250k"), tr("500K"), tr("1M")};
    const QString rate = e.rate >= 0 && e.rate < 3 ? rates[e.rate] : QString();
    const QString state = e.state == kUpgradeState ? tr("固件升级模式") : tr("正常模式");
    return {QString::number(e.channel), rate, Word(e.panId), Word(e.address), state};
}

void CelSearchRows::Show(QTreeWidget* list, const std::vector<CelSearchEntry>& entries) {
    list->clear();
    for (const CelSearchEntry& e : entries) Append(list, e);
}

void CelSearchRows::Append(QTreeWidget* list, const CelSearchEntry& entry) {
    const QStringList texts = Columns(entry);
    auto* row = new QTreeWidgetItem(list, texts);
    for (int c = 0; c < texts.size(); ++c) row->setData(c, Qt::AccessibleTextRole, texts[c]);
}

std::vector<QStringList> CelSearchRows::Shown(const QTreeWidget* list) {
    std::vector<QStringList> rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < list->columnCount(); ++c) texts << list->topLevelItem(r)->text(c);
        rows.push_back(texts);
    }
    return rows;
}
