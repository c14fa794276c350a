#include "shell/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString SettingsFolder(const QString& named, const QString& executableFolder) {
    if (!named.isEmpty()) return QDir::cleanPath(named);
    QFileInfo exe(executableFolder);
    if (exe.isDir() && exe.isWritable()) return QDir::cleanPath(executableFolder);
    QString xdg = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Plexcon");
    QDir().mkpath(xdg);
    return xdg;
}

QString SettingsFilePath(const QString& folder) { return folder + QStringLiteral("/Plexcon.ini"); }

QString LogFolder(const QString& settingsPath) {
    const QString folder = QFileInfo(settingsPath).absolutePath();
    const QString xdgConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Plexcon");
    QString logs = folder;
    if (QDir::cleanPath(folder) == QDir::cleanPath(xdgConfig))
        logs = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Plexcon");
    QDir().mkpath(logs);
    return logs;
}
