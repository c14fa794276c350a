// A decimal field with an upper bound: only digits go in, and a digit whose resulting text (caret and selection
// taken into account) would exceed the bound is refused with the field's message. Base of CNumEdit, COutTimeEdit
// and CTerminalEdit.
//
// The fields that show messages take the Operator at construction (a reference; it must outlive the field).
#pragma once

#include <QString>

#include "controls/CValidatedEdit.h"

class Operator;

class CRangeEdit : public CValidatedEdit {
    Q_OBJECT
public:
    struct Rules {
        int max;
        // With this many characters and no selection every key but Backspace is swallowed; 0 for no limit.
        int maxLength;
        QString message;
        // Text the field takes when a digit is refused; empty to keep the text as it was.
        QString textOnRefusal;
        bool swallowAlt;
    };

protected:
    CRangeEdit(Operator& op, Rules rules, QWidget* parent);
    void handleKey(QKeyEvent* e) override;

private:
    Operator& op_;
    Rules rules_;
};
