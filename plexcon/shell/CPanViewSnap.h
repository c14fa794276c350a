// The SNAP family panel (its navigation button stays hidden).
#pragma once

#include <QWidget>

#include "shell/ShellContext.h"

class CPanViewSnap : public QWidget {
    Q_OBJECT
public:
    explicit CPanViewSnap(const ShellContext& context, QWidget* parent = nullptr);

private:
    ShellContext context_;
};
