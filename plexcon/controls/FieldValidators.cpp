#include "controls/FieldValidators.h"

#include "shell/ModuleText.h"

#include <algorithm>

qint64 DecimalValue(const QString& text, qint64 max) {
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return -1;
        value = std::min(value * 10 + (c.unicode() - u'0'), max + 1);
    }
    return value;
}

DecimalRangeValidator::DecimalRangeValidator(int max, int maxLength, QObject* parent)
    : QValidator(parent), max_(max), maxLength_(maxLength) {}

QValidator::State DecimalRangeValidator::validate(QString& input, int&) const {
    if (maxLength_ > 0 && input.size() > maxLength_) return Invalid;
    qint64 value = DecimalValue(input, max_);
    return value >= 0 && value <= max_ ? Acceptable : Invalid;
}

PatternValidator::PatternValidator(const QString& pattern, QObject* parent)
    : QValidator(parent), pattern_(QRegularExpression::anchoredPattern(pattern)) {}

QValidator::State PatternValidator::validate(QString& input, int&) const {
    return pattern_.match(input).hasMatch() ? Acceptable : Invalid;
}

ModuleTextValidator::ModuleTextValidator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State ModuleTextValidator::validate(QString& input, int&) const {
    return ModuleTextBytes(input) <= maxBytes_ ? Acceptable : Invalid;
}
