// The "远程模块" tab of the Quickmesh and LowPower panels: the library's CEL search list, one row per entry in
// library order, with the search, manual add, row deletion and reset commands.
#pragma once

#include "discovery/RemoteDeviceList.h"

class CPanViewCel;

class CPageListDevRemoteCel : public RemoteDeviceList {
    Q_OBJECT
public:
    explicit CPageListDevRemoteCel(CPanViewCel* panel);

    void search() override;
    int selectedRow() const override;

private:
    CPanViewCel* panel_;
};
