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

void ToModuleField(const QString& text, char* field, size_t width) {
    const QByteArray bytes = ToModuleText(text).left(static_cast<qsizetype>(width));
    std::memset(field, 0, width);
    std::memcpy(field, bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool ModulePasswordMatches(const char* field, size_t width, const QString& entry) {
    return ToModuleText(entry) == QByteArray(field, static_cast<qsizetype>(strnlen(field, width)));
}
