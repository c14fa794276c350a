// Where the program keeps "Plexcon.ini" and its logs.
#pragma once

#include <QString>

// The executable belongs to an installed program: the data folder the install lays out beside it
// (<folder>/../share/plexcon) exists, or the folder cannot be written. The first test matters for root, who can
// write /usr/bin.
bool IsInstalled(const QString& executableFolder);

struct ProgramFolders {
    QString settings;  // the folder of "Plexcon.ini"
    QString logs;      // upgrade/ (configurations kept before an upgrade) and log/ (the LED test) go under it
};

// Folders named outright (option or environment; empty when not) win, and a named settings folder holds the logs
// too unless a log folder is named as well. Otherwise an installed program keeps its settings in Plexcon under the
// user's XDG config folder and its logs in Plexcon under the XDG data folder; a portable build keeps both beside
// the executable. Both folders are created when missing.
ProgramFolders FoldersFor(const QString& namedSettings, const QString& namedLogs, const QString& executableFolder);

// The settings file in that folder.
QString SettingsFilePath(const QString& folder);
