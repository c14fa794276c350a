#include "controls/CDataEdit.h"

#include <QKeyEvent>

#include "controls/FieldValidators.h"

namespace {

bool IsHexDigitKey(int key) {
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_F);
}

}  // namespace

CDataEdit::CDataEdit(QWidget* parent) : CValidatedEdit(true, parent) {
    setText(QStringLiteral("0x"));
    setValidator(new PatternValidator(QStringLiteral("0x[0-9A-Fa-f]{0,4}"), this));
}

quint16 CDataEdit::value() const { return static_cast<quint16>(text().mid(kPrefixLength).toUInt(nullptr, 16)); }

void CDataEdit::setValue(quint16 value) { setText(QStringLiteral("0x%1").arg(value, 4, 16, QLatin1Char('0'))); }

bool CDataEdit::keepSelectionOutOfPrefix() {
    if (!hasSelectedText()) return false;
    const int start = selectionStart();
    const int end = start + selectionLength();
    if (start >= kPrefixLength) return true;
    if (end > kPrefixLength) {
        setSelection(kPrefixLength, end - kPrefixLength);
        return true;
    }
    setCursorPosition(kPrefixLength);
    return false;
}

void CDataEdit::handleBackwardKey(QKeyEvent* e) {
    const bool hadSelection = hasSelectedText();
    if (hadSelection ? !keepSelectionOutOfPrefix() : cursorPosition() <= kPrefixLength) {
        setCursorPosition(kPrefixLength);
        swallowKey(e);
        return;
    }
    if (e->key() == Qt::Key_Up) {  // a single-line field treats Up as Left
        cursorBackward(e->modifiers() & Qt::ShiftModifier);
        e->accept();
    } else {
        processKey(e);
    }
    keepSelectionOutOfPrefix();  // Shift+Left may have stretched the selection into the prefix
}

void CDataEdit::handleKey(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left || key == Qt::Key_Up) {
        handleBackwardKey(e);
        return;
    }
    if (!IsHexDigitKey(key)) {
        swallowKey(e);
        return;
    }
    if (e->modifiers() & Qt::ControlModifier) {  // Ctrl+A selects all, Ctrl+C copies
        processKey(e);
        return;
    }
    if (text().size() >= kMaxLength && !hasSelectedText()) {
        swallowKey(e);
        return;
    }
    keepSelectionOutOfPrefix();
    processKey(e);
}

void CDataEdit::mouseReleaseEvent(QMouseEvent* e) {
    CValidatedEdit::mouseReleaseEvent(e);
    if (!keepSelectionOutOfPrefix() && cursorPosition() < kPrefixLength) setCursorPosition(kPrefixLength);
}

void CDataEdit::focusInEvent(QFocusEvent* e) {
    CValidatedEdit::focusInEvent(e);  // may select the whole text
    keepSelectionOutOfPrefix();
}

void CDataEdit::focusOutEvent(QFocusEvent* e) {
    CValidatedEdit::focusOutEvent(e);
    if (text().size() == kPrefixLength) setText(QStringLiteral("0x0000"));
}
