#include "shell/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString Created(const QString& folder) {
    QDir().mkpath(folder);
    return QDir::cleanPath(folder);
}

QString Xdg(QStandardPaths::StandardLocation location) {
    return QStandardPaths::writableLocation(location) + QStringLiteral("/Plexcon");
}

}  // namespace

bool IsInstalled(const QString& executableFolder) {
    if (QFileInfo(executableFolder + QStringLiteral("/../share/plexcon")).isDir()) return true;
    const QFileInfo exe(executableFolder);
    return !(exe.isDir() && exe.isWritable());
}

ProgramFolders FoldersFor(const QString& namedSettings, const QString& namedLogs, const QString& executableFolder) {
    ProgramFolders folders;
    const bool installed = IsInstalled(executableFolder);
    if (!namedSettings.isEmpty())
        folders.settings = namedSettings;
    else
        folders.settings = installed ? Xdg(QStandardPaths::GenericConfigLocation) : executableFolder;
    if (!namedLogs.isEmpty())
        folders.logs = namedLogs;
    else if (!namedSettings.isEmpty() || !installed)
        folders.logs = folders.settings;
    else
        folders.logs = Xdg(QStandardPaths::GenericDataLocation);
    folders.settings = Created(folders.settings);
    folders.logs = Created(folders.logs);
    return folders;
}

QString SettingsFilePath(const QString& folder) { return folder + QStringLiteral("/Plexcon.ini"); }
