// What a family panel needs of its remote module list: the search command and the selection. A row's position is
// the module's position in the library's search list.
#pragma once

#include <QList>
#include <QWidget>

class RemoteDeviceList : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // What "搜索设备" does.
    virtual void search() = 0;
    // The selected row (the first selected one where several can be); -1 when none.
    virtual int selectedRow() const = 0;
    // Every selected row, in list order.
    virtual QList<int> selectedRows() const {
        const int row = selectedRow();
        return row < 0 ? QList<int>{} : QList<int>{row};
    }
    // Rebuilds the rows from the library, keeping the selection.
    virtual void refresh() {}
};
