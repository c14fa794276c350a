#include "shell/CPanViewSnap.h"

#include "shell/PendingPanel.h"

CPanViewSnap::CPanViewSnap(const ShellContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    ShowPendingNotice(this, QStringLiteral("SNAP"));
}
