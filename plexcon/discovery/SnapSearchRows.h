// Rows of the library's SNAP search list as the remote list and the search dialog show them: position, network
// number, channel and MAC. The values are the entry's search fields, so showing a row sends nothing to a module.
#pragma once

#include <QStringList>

class QTreeWidget;

namespace snap {

QStringList SearchRow(int index);
// Replaces the rows of `list` with the library's entries, in order; returns the count.
int FillSearchRows(QTreeWidget* list);

}  // namespace snap
