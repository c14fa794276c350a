// Base of the validated input fields: a line edit that judges each key press before the text changes.
// Subclasses decide in handleKey(); keys the dialog acts on (Tab, Enter, Escape) always reach the dialog, so no
// field traps the keyboard; Alt combinations can be swallowed so that no menu or accelerator fires from the field.
#pragma once

#include <QLineEdit>

class QKeyEvent;

class CValidatedEdit : public QLineEdit {
    Q_OBJECT
protected:
    CValidatedEdit(bool swallowAlt, QWidget* parent);

    // Decide one key press: call processKey(e) to let the field edit with it, or swallowKey(e) to drop it.
    virtual void handleKey(QKeyEvent* e) = 0;
    void processKey(QKeyEvent* e) { QLineEdit::keyPressEvent(e); }
    static void swallowKey(QKeyEvent* e);

    // Length of the selection (0 for none); selectionStart() is -1 without one.
    int selectionLength() const { return static_cast<int>(selectedText().size()); }
    // The text as it would read after `typed` replaced the selection or went in at the caret.
    QString textAfterTyping(const QString& typed) const;

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) final;

private:
    bool swallowAlt_;
};
