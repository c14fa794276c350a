// The "远程模块" tab of the ORLNET panel: the library's ORLNET search list with the search, read and reset
// commands; the LED test runs over all selected rows.
#pragma once

#include "discovery/OrlnetSnapRemoteList.h"

class CPanViewOrlnet;

class CPageListDevRemoteOrlnet : public OrlnetSnapRemoteList {
    Q_OBJECT
public:
    explicit CPageListDevRemoteOrlnet(CPanViewOrlnet* panel);

    void search() override;

protected:
    int fillRows() override;
};
