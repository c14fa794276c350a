// Tables saved as CSV (RFC 4180: comma-separated, fields with commas, quotes or line breaks quoted, CRLF line
// ends, UTF-8 with a byte-order mark so that spreadsheet programs read the Chinese headers).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

QString CsvText(const QList<QStringList>& rows);
// False when the file cannot be written.
bool WriteCsvFile(const QString& path, const QList<QStringList>& rows);
