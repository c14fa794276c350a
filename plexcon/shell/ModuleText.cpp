#include "shell/ModuleText.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

QByteArray ToModuleText(const QString& text) {
    QStringEncoder encoder("GBK", QStringConverter::Flag::Default);
    QByteArray bytes = encoder.encode(text);
    return bytes;
}

QString FromModuleText(const char* field, size_t width) {
    size_t n = strnlen(field, width);
    QStringDecoder decoder("GBK");
    return decoder.decode(QByteArrayView(field, static_cast<qsizetype>(n)));
}

int ModuleTextBytes(const QString& text) { return static_cast<int>(ToModuleText(text).size()); }
