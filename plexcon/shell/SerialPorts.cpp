#include "shell/SerialPorts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

bool BackedByDevice(const QDir& tty) {
    if (!QFileInfo::exists(tty.filePath(QStringLiteral("device")))) return false;
    QFile type(tty.filePath(QStringLiteral("type")));
    if (type.open(QIODevice::ReadOnly)) return type.readAll().trimmed() != "0";
    return true;
}

}  // namespace

QString PortNameFromPath(const QString& path) {
    static const QString kDev = QStringLiteral("/dev/");
    QString p = path.trimmed();
    return p.startsWith(kDev) ? p.mid(kDev.size()) : p;
}

QStringList ListSerialPorts(const QString& sysTtyRoot, const QStringList& extra) {
    QStringList ports;
    QDir root(sysTtyRoot);
    for (const QString& entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        // sysfs spells a '/' of the device name as '!'
        if (BackedByDevice(QDir(root.filePath(entry)))) ports << QString(entry).replace(u'!', u'/');
    }
    for (const QString& e : extra) {
        QString name = PortNameFromPath(e);
        if (!name.isEmpty()) ports << name;
    }
    ports.removeDuplicates();
    std::sort(ports.begin(), ports.end(), [](const QString& a, const QString& b) {
        int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return ports;
}

QByteArray LibraryPortPath(const QString& name) {
    if (name.startsWith(u'/')) return name.toLocal8Bit();
    return QByteArrayLiteral("\\\\.\\") + name.toLocal8Bit();
}
