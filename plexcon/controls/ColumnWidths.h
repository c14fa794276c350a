// The column widths of a list: each column as wide as given, or as its caption needs where that is wider (the
// widths suit the Chinese captions; English ones run longer).
#pragma once

#include <QHeaderView>
#include <QTreeView>

#include <algorithm>
#include <vector>

inline void SetColumnWidths(QTreeView* list, const std::vector<int>& widths) {
    for (size_t i = 0; i < widths.size(); ++i) {
        const int column = static_cast<int>(i);
        list->setColumnWidth(column, std::max(widths[i], list->header()->sectionSizeHint(column)));
    }
}
