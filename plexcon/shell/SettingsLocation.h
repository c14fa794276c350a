// Where the program keeps "Plexcon.ini".
#pragma once

#include <QString>

// The folder named outright (option or environment) when given; else the executable's folder when it is writable
// (a portable build); else the user's XDG config folder for Plexcon, created when missing.
QString SettingsFolder(const QString& named, const QString& executableFolder);
// The settings file in that folder.
QString SettingsFilePath(const QString& folder);
