// SPDX-License-Identifier: GPL-3.0-or-later
// Where tarnedit.ini lies: beside the program, or in the user's configuration folder when the
// program's folder cannot be written or the program was installed; --settings FILE names
// another.
#pragma once

#include <QString>
#include <QStringList>

namespace tarn {

// The file named after --settings in arguments (the program's arguments without its name),
// or an empty text.
QString settingsOptionOf(const QStringList& arguments);

// The user's own folder for the settings: %APPDATA%\TarnEdit on Windows, ~/.config/TarnEdit
// elsewhere.
QString userSettingsFolder();

// That folder as the help names it ("~/.config/TarnEdit/").
const char* userSettingsFolderInHelp();

// Whether file can be written, or made in folder when it does not exist yet.
bool canWriteIn(const QString& folder, const QString& file);

// The uninstaller the Windows installer puts beside the programs it installs.
inline constexpr const char* kUninstallerName = "Uninstall.exe";

// The settings file for a program in programDir; configDir is the user's configuration
// folder, used when programDir cannot be written or holds an installed copy.
QString defaultSettingsPath(const QString& programDir, const QString& configDir);

}  // namespace tarn
