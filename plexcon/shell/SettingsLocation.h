// Where the program keeps "Plexcon.ini".
#pragma once

#include <QString>

// The folder named outright (option or environment) when given; else the executable's folder when it is writable
// (a portable build); else the user's XDG config folder for Plexcon, created when missing.
QString SettingsFolder(const QString& named, const QString& executableFolder);
// The settings file in that folder.
QString SettingsFilePath(const QString& folder);
// Where the program's logs go, beside the settings file at `settingsPath`: the same folder (a portable build, or
// a folder named outright), except that an installed program, whose settings are under the XDG config folder,
// logs under the XDG data folder. Created when missing.
QString LogFolder(const QString& settingsPath);
