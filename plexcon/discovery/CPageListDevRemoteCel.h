// The "远程模块" tab of the Quickmesh and LowPower panels: the library's CEL search list, one row per entry in
// library order (never sorted), with the search, manual add, row deletion and reset commands. The rows always
// equal the library's entries, so a row's position is the index the configuration pages pass to the library.
#pragma once

#include "discovery/RemoteDeviceList.h"

class CDataEdit;
class CPanViewCel;
class QComboBox;
class QPoint;
class QPushButton;
class QRadioButton;
class QTreeWidget;

class CPageListDevRemoteCel : public RemoteDeviceList {
    Q_OBJECT
public:
    explicit CPageListDevRemoteCel(CPanViewCel* panel);

    void search() override;
    // The first selected row; -1 when none.
    int selectedRow() const override;

    QTreeWidget* rows() const { return rows_; }

private:
    void addCommand();
    void resetCommand();
    void rowMenu(const QPoint& at);
    void deleteRow(int row);
    // All rows from the library's search list, none selected.
    void rebuild();

    CPanViewCel* panel_;
    QTreeWidget* rows_ = nullptr;
    QRadioButton* dynamicSearch_ = nullptr;
    QRadioButton* staticSearch_ = nullptr;
    QComboBox* addChannel_ = nullptr;
    CDataEdit* addAddress_ = nullptr;
};
