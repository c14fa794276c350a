#include "controls/CEditMacAdd.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

#include "controls/FieldValidators.h"

namespace {

constexpr int kGroupWidth = 3;  // two digits and the colon after them
constexpr int kTextLength = CEditMacAdd::kGroups * kGroupWidth - 1;

int GroupAt(int position) { return std::clamp(position / kGroupWidth, 0, CEditMacAdd::kGroups - 1); }
int GroupStart(int g) { return g * kGroupWidth; }

bool IsHexChar(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool IsHexDigitKey(int key) {
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_F);
}

// Groups left-aligned and padded with spaces, joined by colons.
QString Render(const QStringList& groups) {
    QStringList padded;
    for (const QString& g : groups) padded << g.leftJustified(2, u' ');
    return padded.join(u':');
}

}  // namespace

CEditMacAdd::CEditMacAdd(QWidget* parent) : CValidatedEdit(true, parent) {
    setText(Render(QStringList(kGroups, QString())));
    setValidator(new PatternValidator(QStringLiteral("([0-9A-Fa-f ]{2}:){7}[0-9A-Fa-f ]{2}"), this));
    setAcceptDrops(false);
    // Fixed pitch, so that an empty digit position is as wide as a digit and the groups stay in columns.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(font().pointSizeF());
    setFont(fixed);
}

QStringList CEditMacAdd::groups() const {
    const QString t = text();
    QStringList result;
    for (int g = 0; g < kGroups; ++g) {
        QString digits;
        for (int i = GroupStart(g); i < GroupStart(g) + 2 && i < t.size(); ++i)
            if (IsHexChar(t[i])) digits += t[i];
        result << digits;
    }
    return result;
}

CEditMacAdd::Address CEditMacAdd::address() const {
    Address address{};
    const QStringList g = groups();
    for (int i = 0; i < kGroups; ++i) address[i] = static_cast<quint8>(g[i].toUInt(nullptr, 16));
    return address;
}

void CEditMacAdd::setAddress(const Address& address) {
    QStringList g;
    for (quint8 byte : address) g << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0'));
    setText(Render(g));
}

int CEditMacAdd::currentGroup() const { return GroupAt(hasSelectedText() ? selectionStart() : cursorPosition()); }

void CEditMacAdd::selectGroup(int g) {
    const auto size = groups()[g].size();
    if (size > 0)
        setSelection(GroupStart(g), static_cast<int>(size));
    else
        setCursorPosition(GroupStart(g));
}

void CEditMacAdd::keepWithinGroup(int g) {
    const int lo = GroupStart(g);
    const int hi = lo + static_cast<int>(groups()[g].size());
    if (!hasSelectedText()) {
        setCursorPosition(std::clamp(cursorPosition(), lo, hi));
        return;
    }
    // Keep the selection's direction: the caret end stays the moving end.
    const int start = selectionStart();
    const int end = start + selectionLength();
    const bool caretAtStart = cursorPosition() == start;
    const int from = std::clamp(caretAtStart ? end : start, lo, hi);
    const int to = std::clamp(caretAtStart ? start : end, lo, hi);
    if (from == to)
        setCursorPosition(to);
    else
        setSelection(from, to - from);
}

void CEditMacAdd::typeDigit(QChar digit) {
    QStringList g = groups();
    const int group = currentGroup();
    QString& digits = g[group];
    const int lo = GroupStart(group);
    int at = (hasSelectedText() ? selectionStart() : cursorPosition()) - lo;
    if (hasSelectedText()) {  // typing replaces the selected digits of the group
        const int from = std::clamp(selectionStart() - lo, 0, static_cast<int>(digits.size()));
        const int to = std::clamp(selectionStart() + selectionLength() - lo, from, static_cast<int>(digits.size()));
        digits.remove(from, to - from);
    }
    if (digits.size() >= 2) return;  // a full group takes no more digits
    at = std::clamp(at, 0, static_cast<int>(digits.size()));
    digits.insert(at, digit);
    const bool full = digits.size() == 2;
    setText(Render(g));
    if (!full)
        setCursorPosition(lo + at + 1);
    else if (group + 1 < kGroups)
        selectGroup(group + 1);
    else
        setCursorPosition(kTextLength);
}

void CEditMacAdd::eraseBackwards() {
    QStringList g = groups();
    const int group = currentGroup();
    QString& digits = g[group];
    const int lo = GroupStart(group);
    const int size = static_cast<int>(digits.size());
    int from = 0;
    int to = 0;
    if (hasSelectedText()) {
        from = std::clamp(selectionStart() - lo, 0, size);
        to = std::clamp(selectionStart() + selectionLength() - lo, from, size);
    } else {
        const int at = cursorPosition() - lo;
        if (at == 0) {  // at the start of a group Backspace steps back to the previous one
            if (group > 0) setCursorPosition(GroupStart(group - 1) + static_cast<int>(g[group - 1].size()));
            return;
        }
        to = std::min(at, size);
        from = std::max(to - 1, 0);
    }
    digits.remove(from, to - from);  // the remaining digit moves to the group's first position
    setText(Render(g));
    setCursorPosition(lo + from);
}

void CEditMacAdd::handleKey(QKeyEvent* e) {
    const int key = e->key();
    if (e->matches(QKeySequence::Copy)) {
        processKey(e);
    } else if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta || key == Qt::Key_CapsLock) {
        processKey(e);
    } else if (e->modifiers() & Qt::ControlModifier) {
        swallowKey(e);
    } else if (key == Qt::Key_Left || key == Qt::Key_Up) {
        selectGroup(std::max(currentGroup() - 1, 0));
        e->accept();
    } else if (key == Qt::Key_Right || key == Qt::Key_Down) {
        selectGroup(std::min(currentGroup() + 1, kGroups - 1));
        e->accept();
    } else if (isReadOnly()) {
        swallowKey(e);
    } else if (key == Qt::Key_Backspace) {
        eraseBackwards();
        e->accept();
    } else if (IsHexDigitKey(key)) {
        const QString typed = e->text();
        typeDigit(typed.size() == 1 && IsHexChar(typed[0]) ? typed[0] : QChar(key));
        e->accept();
    } else {
        swallowKey(e);  // Delete, Home, End, letters beyond F, punctuation, space
    }
}

void CEditMacAdd::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) deselect();  // a press in a selection would start dragging it away
    CValidatedEdit::mousePressEvent(e);              // focus; a third click in a row would select everything
    if (e->button() != Qt::LeftButton) return;
    const int at = cursorPositionAt(e->position().toPoint());
    setCursorPosition(at);
    keepWithinGroup(GroupAt(at));
    dragAnchor_ = cursorPosition();
}

void CEditMacAdd::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    // The field extends the selection itself (no drag and drop): from the press point, within its group.
    const int g = GroupAt(dragAnchor_);
    const int lo = GroupStart(g);
    const int hi = lo + static_cast<int>(groups()[g].size());
    const int to = std::clamp(cursorPositionAt(e->position().toPoint()), lo, hi);
    setSelection(dragAnchor_, to - dragAnchor_);
}

void CEditMacAdd::mouseReleaseEvent(QMouseEvent* e) {
    CValidatedEdit::mouseReleaseEvent(e);
    keepWithinGroup(GroupAt(hasSelectedText() ? selectionStart() : cursorPosition()));
}

void CEditMacAdd::mouseDoubleClickEvent(QMouseEvent* e) {
    CValidatedEdit::mouseDoubleClickEvent(e);
    selectGroup(GroupAt(cursorPositionAt(e->position().toPoint())));
}

void CEditMacAdd::focusInEvent(QFocusEvent* e) {
    CValidatedEdit::focusInEvent(e);  // may select the whole text
    if (hasSelectedText() && GroupAt(selectionStart()) != GroupAt(selectionStart() + selectionLength() - 1))
        selectGroup(GroupAt(selectionStart()));
}

void CEditMacAdd::focusOutEvent(QFocusEvent* e) {
    CValidatedEdit::focusOutEvent(e);
    QStringList g = groups();
    for (QString& digits : g) digits = digits.rightJustified(2, u'0');
    setText(Render(g));
}
