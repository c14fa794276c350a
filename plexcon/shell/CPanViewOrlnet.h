// The ORLNET family panel (its navigation button stays hidden).
#pragma once

#include <QWidget>

#include "shell/ShellContext.h"

class CPanViewOrlnet : public QWidget {
    Q_OBJECT
public:
    explicit CPanViewOrlnet(const ShellContext& context, QWidget* parent = nullptr);

private:
    ShellContext context_;
};
