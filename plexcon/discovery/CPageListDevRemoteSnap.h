// The "远程模块" tab of the SNAP panel: the library's SNAP search list with the search, read and reset commands.
#pragma once

#include "discovery/OrlnetSnapRemoteList.h"

class CPanViewSnap;

class CPageListDevRemoteSnap : public OrlnetSnapRemoteList {
    Q_OBJECT
public:
    explicit CPageListDevRemoteSnap(CPanViewSnap* panel);

    void search() override;

protected:
    int fillRows() override;
};
