// Hexadecimal word field: "0x" followed by up to 4 hexadecimal digits. The prefix cannot be edited away: keys and
// clicks that would reach into it put the caret after it; left with only the prefix, the field reads "0x0000".
#pragma once

#include <QtGlobal>

#include "controls/CValidatedEdit.h"

class CDataEdit : public CValidatedEdit {
    Q_OBJECT
public:
    static constexpr int kPrefixLength = 2;
    static constexpr int kMaxLength = 6;

    explicit CDataEdit(QWidget* parent = nullptr);

    // The digits after the prefix as a number; 0 when there are none.
    quint16 value() const;
    // Shows the value as "0x%04x".
    void setValue(quint16 value);

protected:
    void handleKey(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // Keys that move or delete backwards: they must stop at the prefix.
    void handleBackwardKey(QKeyEvent* e);
    // A selection reaching into the prefix is cut to start after it; true when something remains selected.
    bool keepSelectionOutOfPrefix();
};
