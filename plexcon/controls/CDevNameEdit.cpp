#include "controls/CDevNameEdit.h"

#include <QKeyEvent>

#include "controls/FieldValidators.h"
#include "shell/ModuleText.h"

CDevNameEdit::CDevNameEdit(QWidget* parent) : CValidatedEdit(true, parent) {
    // The validator judges the resulting text of every change, typed, pasted or composed by an input method.
    setValidator(new ModuleTextValidator(kMaxBytes, this));
}

void CDevNameEdit::handleKey(QKeyEvent* e) {
    if (e->key() != Qt::Key_Backspace && !hasSelectedText() && ModuleTextBytes(text()) >= kMaxBytes)
        swallowKey(e);
    else
        processKey(e);
}
