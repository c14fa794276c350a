// Decimal field 0 to 5000 (the serial time-out in milliseconds).
#pragma once

#include "controls/CRangeEdit.h"

class COutTimeEdit : public CRangeEdit {
    Q_OBJECT
public:
    explicit COutTimeEdit(Operator& op, QWidget* parent = nullptr)
        : CRangeEdit(op, {5000, 4, tr("您的输入有误，输入范围0-5000"), QStringLiteral("5000"), true},
                     parent) {}
};
