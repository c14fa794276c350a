#include "controls/CValidatedEdit.h"

#include <QKeyEvent>

namespace {

bool IsDialogKey(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

}  // namespace

CValidatedEdit::CValidatedEdit(bool swallowAlt, QWidget* parent) : QLineEdit(parent), swallowAlt_(swallowAlt) {}

void CValidatedEdit::swallowKey(QKeyEvent* e) { e->accept(); }

QString CValidatedEdit::textAfterTyping(const QString& typed) const {
    QString result = text();
    if (hasSelectedText())
        result.replace(selectionStart(), selectionLength(), typed);
    else
        result.insert(cursorPosition(), typed);
    return result;
}

bool CValidatedEdit::event(QEvent* e) {
    // Claiming the Alt combination here keeps window shortcuts from taking it; the key press then arrives below.
    if (e->type() == QEvent::ShortcutOverride && swallowAlt_ &&
        (static_cast<QKeyEvent*>(e)->modifiers() & Qt::AltModifier)) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void CValidatedEdit::keyPressEvent(QKeyEvent* e) {
    if (e->modifiers() & Qt::AltModifier) {
        // Alt combinations are no typing: swallowed, or left to the window.
        if (swallowAlt_)
            swallowKey(e);
        else
            e->ignore();
    } else if (IsDialogKey(e)) {
        processKey(e);
    } else {
        handleKey(e);
    }
}
