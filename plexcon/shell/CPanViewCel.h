// The CEL family panels: "VNET" (CPanViewCel), "Quickmesh" (CPanViewCel_Change) and "LowPower"
// (CPanViewCelLowPower). The two Quickmesh kinds set lowPowerKind, which the CEL pages read.
#pragma once

#include <QWidget>

#include "shell/ShellContext.h"

class CPanViewCel : public QWidget {
    Q_OBJECT
public:
    explicit CPanViewCel(const ShellContext& context, QWidget* parent = nullptr);

    bool lowPowerKind() const { return lowPowerKind_; }

protected:
    CPanViewCel(const ShellContext& context, const QString& family, bool lowPowerKind, QWidget* parent);

    ShellContext context_;

private:
    bool lowPowerKind_ = false;
};

class CPanViewCel_Change : public CPanViewCel {
    Q_OBJECT
public:
    explicit CPanViewCel_Change(const ShellContext& context, QWidget* parent = nullptr);

protected:
    CPanViewCel_Change(const ShellContext& context, const QString& family, QWidget* parent);
};

class CPanViewCelLowPower : public CPanViewCel_Change {
    Q_OBJECT
public:
    explicit CPanViewCelLowPower(const ShellContext& context, QWidget* parent = nullptr);
};
