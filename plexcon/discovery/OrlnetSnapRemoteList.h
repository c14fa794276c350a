// The remote module list of the SNAP and ORLNET panels: the library's search list, one row per entry in library
// order, several rows selectable, with "搜索设备", "获取信息" and "复位设备". Refreshing keeps the selection.
#pragma once

#include <vector>

#include "discovery/RemoteDeviceList.h"

class FamilyPanel;
class QTreeWidget;

class OrlnetSnapRemoteList : public RemoteDeviceList {
    Q_OBJECT
public:
    int selectedRow() const override;
    QList<int> selectedRows() const override;
    void refresh() override;

    QTreeWidget* list() const { return list_; }

protected:
    OrlnetSnapRemoteList(FamilyPanel* panel, const QStringList& columns, const std::vector<int>& widths);

    // Replaces the rows with the library's entries; returns the count.
    virtual int fillRows() = 0;
    FamilyPanel* panel() const { return panel_; }

private:
    FamilyPanel* panel_;
    QTreeWidget* list_ = nullptr;
};
