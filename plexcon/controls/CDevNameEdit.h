// Name and password field: at most 16 bytes of module text (GBK), so 8 Chinese characters fit.
// At the limit with nothing selected only Backspace edits; typed text never takes the field past 16 bytes.
#pragma once

#include "controls/CValidatedEdit.h"

class CDevNameEdit : public CValidatedEdit {
    Q_OBJECT
public:
    static constexpr int kMaxBytes = 16;

    explicit CDevNameEdit(QWidget* parent = nullptr);

protected:
    void handleKey(QKeyEvent* e) override;
};
