#include "controls/CRangeEdit.h"

#include <QKeyEvent>

#include "controls/FieldValidators.h"
#include "shell/Operator.h"

CRangeEdit::CRangeEdit(Operator& op, Rules rules, QWidget* parent)
    : CValidatedEdit(rules.swallowAlt, parent), op_(op), rules_(std::move(rules)) {
    setValidator(new DecimalRangeValidator(rules_.max, rules_.maxLength, this));
    setInputMethodHints(Qt::ImhDigitsOnly);
}

void CRangeEdit::handleKey(QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace) {
        processKey(e);
        return;
    }
    if (rules_.maxLength > 0 && text().size() >= rules_.maxLength && !hasSelectedText()) {
        swallowKey(e);
        return;
    }
    const QString typed = e->text();
    const bool typesCharacter = typed.size() == 1 && typed[0].isPrint();
    if (!typesCharacter) {  // caret moves, Delete, copy and the like
        processKey(e);
        return;
    }
    if (typed[0] < u'0' || typed[0] > u'9') {  // letters, signs and points never go in
        swallowKey(e);
        return;
    }
    if (DecimalValue(textAfterTyping(typed), rules_.max) > rules_.max) {
        swallowKey(e);
        op_.message(this, rules_.message, Operator::Icon::Plain);
        if (!rules_.textOnRefusal.isEmpty()) setText(rules_.textOnRefusal);
        return;
    }
    processKey(e);
}
