// SPDX-License-Identifier: GPL-3.0-or-later
// Every key of tarnedit.ini with its default, read at start-up and written, the keys the user
// changed, as they change and when the main window closes, in the file's order. Windows that do not
// exist yet keep their values here, so that a run never loses what an earlier run stored. The
// "Paths" keys are written by the paths dialog alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/main/recent_translations.h"
#include "common/profile_file.h"

namespace tarn {

struct PathsSettings {
    std::string origExePath;
    std::string transExePath;
};

struct OptionsSettings {
    bool cstyleStrings = false;
    std::string fontName = "MS Sans Serif";
    std::int32_t fontCharset = 1;
    std::int32_t fontSize = 8;
    std::int32_t fontStyle = 0;  // 1 bold, 2 italic, 4 underline, 8 strike-out
};

// A stored window placement; left -1 means none.
struct PlacementSettings {
    std::int32_t left = -1;
    std::int32_t top = 0;
    std::int32_t width = 320;
    std::int32_t height = 200;
    bool isMaximized = false;
};

struct PositionSettings {
    std::int32_t left = -1;
    std::int32_t top = 0;
};

struct PreviewSettings {
    std::int32_t backColor = profile_color::kButtonFace;
    std::int32_t textColor = profile_color::kWindowText;
    std::int32_t width = 300;
    std::int32_t height = 150;
    std::int32_t left = -1;
    std::int32_t top = 0;
    bool visible = false;
};

struct ObjectWindowSettings {
    PlacementSettings placement;
    bool enhRle = true;
};

// Which findings the Checks panel lists: by severity, the "untranslated" info apart (hidden
// unless asked for), and one check or all (empty).
struct FindingsFilterSettings {
    bool errors = true;
    bool warnings = true;
    bool info = true;
    bool untranslated = false;
    std::string check;
};

// The Checks panel: shown or not, the main window's side it is docked to ("left", "right",
// "top", "bottom") or floating, and its size (height -1: none yet, the panel's first height);
// Left and Top (-1: none) place it while floating; what it lists.
struct ChecksPanelSettings {
    bool visible = false;
    std::string area = "bottom";
    bool floating = false;
    std::int32_t left = -1;
    std::int32_t top = 0;
    std::int32_t width = 400;
    std::int32_t height = -1;
    FindingsFilterSettings filter;
};

inline constexpr int kExeSettingsTexts = 31;

struct ExeSettings {
    ExeSettings();
    std::int32_t textId = -1;  // -1: all texts, otherwise this language ID only
    bool enhRle = true;
    std::array<std::string, kExeSettingsTexts> texts;
    std::string yesChars = "y";
    // The system the end-user program is built for ("windows", "native"); empty or unknown:
    // the builder's default.
    std::string target;
};

// The end-user program's console messages as shipped, in the builder's row order (entries 0 to
// 10, then 12 to 17; stored under the keys Text<entry>).
const std::array<std::string, kExeSettingsTexts>& defaultExeTexts();

// The folder each file dialog showed last ("[Folders]", a section of our own); empty: none yet.
struct FoldersSettings {
    std::string translationPo;  // the main window's PO export and import
    std::string objectPo;       // the object window's PO export and import
};

// The translation's character table ("[Characters]"); empty: none.
struct CharactersSettings {
    std::string tableFile;
};

// The translation's spelling language ("[Spelling]"; empty: no spelling check) and a folder of
// dictionaries looked in before the system's.
struct SpellingSettings {
    std::string language;
    std::string dictionaryFolder;
};

// The translation's own details ("[Translation]"): the language code its PO files carry.
struct TranslationSettings {
    std::string language;
};

struct AppSettings {
    OptionsSettings options;
    PlacementSettings mainWindow;
    PreviewSettings preview;
    PositionSettings replaceWin;
    PositionSettings replaceQuestion;
    PositionSettings pluginLang;
    ObjectWindowSettings objectWindow;
    ExeSettings exeSettings;
    ChecksPanelSettings checksPanel;
    FoldersSettings folders;
    CharactersSettings characters;
    SpellingSettings spelling;
    TranslationSettings translation;
    // "[Recent]": Original1 to Original8 and, of the same number, Translated, FontCharset,
    // TableFile, Spelling and Language.
    std::vector<RecentTranslation> recent;
};

// A path in the system's own form: on Windows '/' becomes '\\', elsewhere nothing changes. Every
// path key is read and written through it, so a file written with either separator loads.
std::string nativeSeparators(std::string path);

PathsSettings readPaths(const ProfileFile& ini);
void writePaths(ProfileFile& ini, const PathsSettings& paths);  // and saves the file

// The main window's placement, read while the window is created: Top, Width and Height only
// when Left is not -1; IsMaximized always.
PlacementSettings readMainWindowPlacement(const ProfileFile& ini);

// Everything the start-up reads after the window is shown (Options to ChecksPanel).
void readStartupSettings(const ProfileFile& ini, AppSettings& settings);

// One key as the settings file stores it.
struct SettingValue {
    std::string section;
    std::string key;
    std::string value;
    bool placement = false;  // a window's position, size or state, which may wait for the close
    bool choice = false;     // while empty, added to no file that lacks it
    bool changed = false;    // changed by this instance's user (changedSettings)
};

// Every key of the settings below the paths with its text, in the closing order.
std::vector<SettingValue> settingValues(const AppSettings& settings);

// The values now, each marked changed where it differs from before.
std::vector<SettingValue> changedSettings(const std::vector<SettingValue>& before,
                                          std::vector<SettingValue> now);

// Writes into ini the values marked changed, and with fillMissing also every value whose key the
// file lacks (an empty choice never), in the closing order, and saves the file: a key this
// instance only read is never written over, so that instances sharing the file keep each
// other's settings. A refused write raises FileError "Unable to write to " + path.
void writeSettingValues(ProfileFile& ini, const std::vector<SettingValue>& values,
                        bool fillMissing);

// Writes every key in the closing order (Options, MainWindow, Preview, ReplaceWin,
// ReplaceQuestion, PluginLang, ObjTrans, EXESettings, ChecksPanel, then the Folders that were
// used, the character table, the Spelling and Translation values that are set or were stored, the
// recent translations) and saves the file. A refused write raises FileError "Unable to write to " +
// path.
void writeClosingSettings(ProfileFile& ini, const AppSettings& settings);

}  // namespace tarn
