// The library's CEL search list as the screens show it: each entry's key fields and its five column texts
// (channel, air rate, PAN ID, network address, run state). The search dialog and the remote list show the same.
#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <vector>

class QTreeWidget;

struct CelSearchEntry {
    int channel = 0;
    int rate = 0;
    quint16 panId = 0;
    quint16 address = 0;
    quint8 state = 0;
};

class CelSearchRows {
    Q_DECLARE_TR_FUNCTIONS(CelSearchRows)
public:
    // Every entry of the library's CEL search list, in list order; the caller holds the library lock.
    static std::vector<CelSearchEntry> ReadLibrary();
    static QStringList Columns(const CelSearchEntry& entry);
    // One row per entry, in order, each cell readable by assistive technology.
    static void Show(QTreeWidget* list, const std::vector<CelSearchEntry>& entries);
    static void Append(QTreeWidget* list, const CelSearchEntry& entry);
    // The texts a list shows, row by row (compared with the library to tell whether the rows are in step).
    static std::vector<QStringList> Shown(const QTreeWidget* list);
};
