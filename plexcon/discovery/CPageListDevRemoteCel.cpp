#include "discovery/CPageListDevRemoteCel.h"

#include "shell/CPanViewCel.h"

CPageListDevRemoteCel::CPageListDevRemoteCel(CPanViewCel* panel) : panel_(panel) {}

void CPageListDevRemoteCel::search() {}

int CPageListDevRemoteCel::selectedRow() const { return -1; }
