// Decimal field 0 to 65535 (the terminal times). No length rule: only the value is judged, and a refused digit
// leaves the text as it was.
#pragma once

#include "controls/CRangeEdit.h"

class CTerminalEdit : public CRangeEdit {
    Q_OBJECT
public:
    explicit CTerminalEdit(Operator& op, QWidget* parent = nullptr)
        : CRangeEdit(op, {65535, 0, tr("您的输入不正确，请输入0-65535以内的值"), QString(), false},
                     parent) {}
};
