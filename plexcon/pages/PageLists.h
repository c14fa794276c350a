// Drop-down lists of the configuration pages: a stored value selects its entry; a value outside the list leaves
// nothing selected, and collecting an unselected list keeps the record's value.
#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QStringList>

inline QComboBox* MakeList(const QStringList& items) {
    auto* box = new QComboBox;
    box->addItems(items);
    return box;
}

inline void SelectEntry(QComboBox* box, int position) {
    box->setCurrentIndex(position >= 0 && position < box->count() ? position : -1);
}

// field = selection + offset, when an entry is selected.
template <typename T>
void CollectEntry(const QComboBox* box, T& field, int offset = 0) {
    if (box->currentIndex() >= 0) field = static_cast<T>(box->currentIndex() + offset);
}

// "Channel 11 (2405MHz)" to "Channel 26 (2480MHz)": list position + 11 is the channel.
inline QStringList CelChannelEntries() {
    QStringList items;
    for (int c = 11; c <= 26; ++c)
        items << QCoreApplication::translate("CelChannels", "Channel %1 (%2MHz)").arg(c).arg(2405 + 5 * (c - 11));
    return items;
}
