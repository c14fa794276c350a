#include "shell/CPanViewOrlnet.h"

#include "shell/PendingPanel.h"

CPanViewOrlnet::CPanViewOrlnet(const ShellContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    ShowPendingNotice(this, QStringLiteral("ORLNET"));
}
