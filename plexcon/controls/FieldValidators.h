// Validators behind the fields' key handling: they refuse any change (paste, drop, input method, undo) whose
// resulting text breaks the field's form, so the keystroke rules cannot be bypassed.
#pragma once

#include <QRegularExpression>
#include <QValidator>

// Decimal digits only, at most maxLength of them (0: no limit), value at most max.
class DecimalRangeValidator : public QValidator {
public:
    DecimalRangeValidator(int max, int maxLength, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    int max_;
    int maxLength_;
};

// The whole text matches the pattern; anything else is refused outright.
class PatternValidator : public QValidator {
public:
    PatternValidator(const QString& pattern, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    QRegularExpression pattern_;
};

// The text takes at most maxBytes bytes as module text (GBK).
class ModuleTextValidator : public QValidator {
public:
    ModuleTextValidator(int maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    int maxBytes_;
};

// Value of a text of decimal digits, saturated at max + 1 (so any text above max compares above it); -1 when the
// text holds anything but digits.
qint64 DecimalValue(const QString& text, qint64 max);
