// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window's command classes work on. The window builds these parts before any
// command and outlives every command, so the references stay valid.
#pragma once

#include <QString>

#include "app/widgets/file_paths.h"
#include "common/profile_file.h"

class QMainWindow;

namespace tarn {

struct AppSettings;
class CodePage;
class CellRules;
class GameTextsModel;
class StatusLine;
class StringTableDocument;
class TextGridView;
class TextsSession;

// The executables being edited and the profiles found for them (-1: none).
struct OpenExecutables {
    QString originalPath;
    QString translatedPath;
    int originalProfile = -1;
    int translatedProfile = -1;
    // Texts that do not fit the build's areas go into a section added to the translated file.
    bool mayGrow = false;
};

struct WindowParts {
    QMainWindow& window;
    const QString& settingsPath;  // the settings file
    const StringTableDocument& document;  // changed only through the session
    TextsSession& session;
    GameTextsModel& model;
    TextGridView& grid;
    CellRules& cellRules;
    StatusLine& status;
    AppSettings& settings;
    const CodePage& codePage;  // the window's active code page
    OpenExecutables& executables;
};

// The settings file, read afresh.
inline ProfileFile openSettings(const WindowParts& parts) {
    return ProfileFile(toFilePath(parts.settingsPath));
}

}  // namespace tarn
