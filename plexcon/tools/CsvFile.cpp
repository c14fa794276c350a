#include "tools/CsvFile.h"

#include <QFile>

namespace {

QString Field(const QString& f) {
    if (!f.contains(u',') && !f.contains(u'"') && !f.contains(u'\n') && !f.contains(u'\r')) return f;
    QString quoted = f;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

}  // namespace

QString CsvText(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& f : row) fields << Field(f);
        text += fields.join(u',') + QLatin1String("\r\n");
    }
    return text;
}

bool WriteCsvFile(const QString& path, const QList<QStringList>& rows) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + CsvText(rows).toUtf8();
    return file.write(bytes) == bytes.size();
}
