#include "shell/CDlgChangePass.h"

#include "shell/CPanViewCel.h"

CDlgChangePass::CDlgChangePass(CPanViewCel* panel) : panel_(panel) {}
