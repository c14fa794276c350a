#include "shell/CPanViewCel.h"

#include "shell/PendingPanel.h"

CPanViewCel::CPanViewCel(const ShellContext& context, QWidget* parent)
    : CPanViewCel(context, QStringLiteral("VNET"), false, parent) {}

CPanViewCel::CPanViewCel(const ShellContext& context, const QString& family, bool lowPowerKind, QWidget* parent)
    : QWidget(parent), context_(context), lowPowerKind_(lowPowerKind) {
    ShowPendingNotice(this, family);
}

CPanViewCel_Change::CPanViewCel_Change(const ShellContext& context, QWidget* parent)
    : CPanViewCel_Change(context, QStringLiteral("Quickmesh"), parent) {}

CPanViewCel_Change::CPanViewCel_Change(const ShellContext& context, const QString& family, QWidget* parent)
    : CPanViewCel(context, family, true, parent) {}

CPanViewCelLowPower::CPanViewCelLowPower(const ShellContext& context, QWidget* parent)
    : CPanViewCel_Change(context, QStringLiteral("LowPower"), parent) {}
