// Module text fields (names, passwords) travel as GBK bytes; the screens work in Unicode.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>

// Unicode -> GBK bytes (characters GBK cannot hold become '?').
QByteArray ToModuleText(const QString& text);
// GBK bytes of a fixed-width field, up to its first zero byte or `width` -> Unicode.
QString FromModuleText(const char* field, size_t width);
// Number of GBK bytes the text takes.
int ModuleTextBytes(const QString& text);
// Unicode -> a fixed-width field: the GBK bytes, cut to `width`, the rest zero bytes (a text of `width` bytes has no
// terminating zero).
void ToModuleField(const QString& text, char* field, size_t width);
// A configuration password check: the whole entry against the whole field, up to its first zero byte or all of it.
bool ModulePasswordMatches(const char* field, size_t width, const QString& entry);
