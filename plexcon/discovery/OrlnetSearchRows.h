// Rows of the library's ORLNET search list as the remote list and the search dialog show them: channel, rate,
// PAN ID and address in hexadecimal without leading zeros, state.
#pragma once

#include <QStringList>

class QTreeWidget;

namespace orlnet {

QStringList SearchColumns();
// Reads entry `index` (caller holds the library lock or is the only caller).
QStringList SearchRow(int index);
// Replaces the rows of `list` with the library's entries, in order; returns the count.
int FillSearchRows(QTreeWidget* list);

}  // namespace orlnet
