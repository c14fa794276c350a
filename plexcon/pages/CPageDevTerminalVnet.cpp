#include "pages/CPageDevTerminalVnet.h"

#include "shell/CPanViewCel.h"

CPageDevTerminalVnet::CPageDevTerminalVnet(CPanViewCel* panel) : panel_(panel) {}
