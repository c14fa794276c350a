// Physical address field: 8 groups of 2 hexadecimal digits, "  :  :  :  :  :  :  :  " when empty (group g holds
// positions 3g and 3g + 1, a space marks an empty digit). The field edits one group at a time: digits fill the
// caret's group and move on when it is full, Backspace works within the group, the arrow keys step from group to
// group, and the mouse selects within one group. On leaving, every group is completed to two digits.
#pragma once

#include <QStringList>
#include <QtGlobal>

#include <array>

#include "controls/CValidatedEdit.h"

class CEditMacAdd : public CValidatedEdit {
    Q_OBJECT
public:
    static constexpr int kGroups = 8;
    using Address = std::array<quint8, kGroups>;

    explicit CEditMacAdd(QWidget* parent = nullptr);

    // The groups as bytes in order; an empty group reads 0, a one-digit group d reads 0d.
    Address address() const;
    // Shows the address as "%02x:%02x:…".
    void setAddress(const Address& address);

protected:
    void handleKey(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QStringList groups() const;
    int currentGroup() const;
    // Selects the digits of group g, or puts the caret at its start when it has none.
    void selectGroup(int g);
    // Clamps the caret and the selection to the digits of group g.
    void keepWithinGroup(int g);
    void typeDigit(QChar digit);
    void eraseBackwards();

    int dragAnchor_ = 0;
};
