// Decimal field 0 to 255 (retry count and interval).
#pragma once

#include "controls/CRangeEdit.h"

class CNumEdit : public CRangeEdit {
    Q_OBJECT
public:
    explicit CNumEdit(Operator& op, QWidget* parent = nullptr)
        : CRangeEdit(op, {255, 3, tr("您的输入有误，输入范围0-255"), QStringLiteral("255"), true}, parent) {}
};
