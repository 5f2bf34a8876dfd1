// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/app_settings.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

#include "common/code_page_choice.h"
#include "enduser/message_table.h"

namespace tarn {

namespace {

void readPosition(const ProfileFile& ini, const char* section, PositionSettings& position) {
    position.left = ini.readInteger(section, "Left", -1);
    if (position.left != -1) {
        position.top = ini.readInteger(section, "Top", 0);
    }
}

// Left; Top, Width and Height only when Left is not -1; IsMaximized always, or only with Left.
PlacementSettings readPlacement(const ProfileFile& ini, const char* section,
                                bool maximizedWithoutLeft) {
    PlacementSettings p;
    p.left = ini.readInteger(section, "Left", -1);
    if (p.left != -1) {
        p.top = ini.readInteger(section, "Top", 0);
        p.width = ini.readInteger(section, "Width", 320);
        p.height = ini.readInteger(section, "Height", 200);
    }
    if (p.left != -1 || maximizedWithoutLeft) {
        p.isMaximized = ini.readBool(section, "IsMaximized", false);
    }
    return p;
}

// Paths are read and written in the system's own form, whichever separator the file holds.
std::string readPath(const ProfileFile& ini, const char* section, const std::string& key) {
    return nativeSeparators(ini.readString(section, key, ""));
}

}  // namespace

ExeSettings::ExeSettings() : texts(defaultExeTexts()) {}

const std::array<std::string, kExeSettingsTexts>& defaultExeTexts() {
    // The end-user program's own default console messages.
    static_assert(kExeSettingsTexts == static_cast<int>(kMessageCount));
    return defaultMessages();
}

std::string nativeSeparators(std::string path) {
    std::replace(path.begin(), path.end(), '/',
                 static_cast<char>(std::filesystem::path::preferred_separator));
    return path;
}

PathsSettings readPaths(const ProfileFile& ini) {
    return {readPath(ini, "Paths", "OrigExePath"), readPath(ini, "Paths", "TransExePath")};
}

void writePaths(ProfileFile& ini, const PathsSettings& paths) {
    ini.writeString("Paths", "OrigExePath", nativeSeparators(paths.origExePath));
    ini.writeString("Paths", "TransExePath", nativeSeparators(paths.transExePath));
    ini.save();
}

PlacementSettings readMainWindowPlacement(const ProfileFile& ini) {
    return readPlacement(ini, "MainWindow", true);
}

void readStartupSettings(const ProfileFile& ini, AppSettings& s) {
    s.options.cstyleStrings = ini.readBool("Options", "CStyleStrings", false);
    s.options.fontName = ini.readString("Options", "FontName", "MS Sans Serif");
    s.options.fontCharset =
        fontCharsetOrDefault(ini.readInteger("Options", "FontCharset", kDefaultCharset));
    s.options.fontSize = ini.readInteger("Options", "FontSize", 8);
    s.options.fontStyle = ini.readInteger("Options", "FontStyle", 0);

    s.preview.backColor = ini.readInteger("Preview", "BackColor", profile_color::kButtonFace);
    s.preview.textColor = ini.readInteger("Preview", "TextColor", profile_color::kWindowText);
    s.preview.width = ini.readInteger("Preview", "Width", 300);
    s.preview.height = ini.readInteger("Preview", "Height", 150);
    s.preview.left = ini.readInteger("Preview", "Left", -1);
    if (s.preview.left != -1) {
        s.preview.top = ini.readInteger("Preview", "Top", 0);
    }
    s.preview.visible = ini.readBool("Preview", "Visible", false);

    readPosition(ini, "ReplaceWin", s.replaceWin);
    readPosition(ini, "ReplaceQuestion", s.replaceQuestion);
    readPosition(ini, "PluginLang", s.pluginLang);

    s.objectWindow.placement = readPlacement(ini, "ObjTrans", false);
    s.objectWindow.enhRle = ini.readBool("ObjTrans", "EnhRLE", true);

    ExeSettings& exe = s.exeSettings;
    exe.textId = ini.readInteger("EXESettings", "TextID", -1);
    exe.enhRle = ini.readBool("EXESettings", "EnhRLE", true);
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        const auto i = static_cast<std::size_t>(k);
        exe.texts[i] = ini.readString("EXESettings", "Text" + std::to_string(messageEntry(i)),
                                      defaultExeTexts()[i]);
    }
    exe.yesChars = ini.readString("EXESettings", "YesChars", "y");
    exe.target = ini.readString("EXESettings", "Target", "");

    ChecksPanelSettings& checks = s.checksPanel;
    checks.visible = ini.readBool("ChecksPanel", "Visible", false);
    checks.area = ini.readString("ChecksPanel", "Area", "bottom");
    checks.floating = ini.readBool("ChecksPanel", "Floating", false);
    checks.left = ini.readInteger("ChecksPanel", "Left", -1);
    if (checks.left != -1) {
        checks.top = ini.readInteger("ChecksPanel", "Top", 0);
    }
    checks.width = ini.readInteger("ChecksPanel", "Width", 400);
    checks.height = ini.readInteger("ChecksPanel", "Height", -1);
    checks.filter.errors = ini.readBool("ChecksPanel", "Errors", true);
    checks.filter.warnings = ini.readBool("ChecksPanel", "Warnings", true);
    checks.filter.info = ini.readBool("ChecksPanel", "Info", true);
    checks.filter.untranslated = ini.readBool("ChecksPanel", "Untranslated", false);
    checks.filter.check = ini.readString("ChecksPanel", "Check", "");

    s.folders.translationPo = readPath(ini, "Folders", "TranslationPO");
    s.folders.objectPo = readPath(ini, "Folders", "ObjectPO");
    s.characters.tableFile = readPath(ini, "Characters", "TableFile");

    s.spelling.language = ini.readString("Spelling", "Language", "");
    s.spelling.dictionaryFolder = readPath(ini, "Spelling", "DictionaryFolder");
    s.translation.language = ini.readString("Translation", "Language", "");

    s.recent.clear();
    for (std::size_t i = 1; i <= kRecentTranslations; ++i) {
        const std::string n = std::to_string(i);
        RecentTranslation entry;
        entry.original = readPath(ini, "Recent", "Original" + n);
        entry.translated = readPath(ini, "Recent", "Translated" + n);
        if (entry.original.empty() || entry.translated.empty()) {
            continue;
        }
        entry.fontCharset =
            fontCharsetOrDefault(ini.readInteger("Recent", "FontCharset" + n, kDefaultCharset));
        entry.tableFile = readPath(ini, "Recent", "TableFile" + n);
        entry.spellingLanguage = ini.readString("Recent", "Spelling" + n, "");
        entry.poLanguage = ini.readString("Recent", "Language" + n, "");
        s.recent.push_back(std::move(entry));
    }
}

std::vector<SettingValue> settingValues(const AppSettings& s) {
    std::vector<SettingValue> values;
    const auto add = [&values](const char* section, std::string key, std::string value) {
        values.push_back({section, std::move(key), std::move(value)});
    };
    const auto flag = [](bool value) { return std::string(value ? "1" : "0"); };
    const auto number = [](std::int32_t value) { return std::to_string(value); };
    // Window positions and sizes, which may wait for the close.
    const auto place = [&values](const char* section, const char* key, std::int32_t value) {
        values.push_back({section, key, std::to_string(value), true});
    };

    add("Options", "CStyleStrings", flag(s.options.cstyleStrings));
    add("Options", "FontName", s.options.fontName);
    add("Options", "FontCharset", number(s.options.fontCharset));
    add("Options", "FontSize", number(s.options.fontSize));
    add("Options", "FontStyle", number(s.options.fontStyle));

    values.push_back({"MainWindow", "IsMaximized", flag(s.mainWindow.isMaximized), true});
    place("MainWindow", "Left", s.mainWindow.left);
    place("MainWindow", "Top", s.mainWindow.top);
    place("MainWindow", "Width", s.mainWindow.width);
    place("MainWindow", "Height", s.mainWindow.height);

    add("Preview", "BackColor", number(s.preview.backColor));
    add("Preview", "TextColor", number(s.preview.textColor));
    place("Preview", "Left", s.preview.left);
    place("Preview", "Top", s.preview.top);
    place("Preview", "Width", s.preview.width);
    place("Preview", "Height", s.preview.height);
    add("Preview", "Visible", flag(s.preview.visible));

    for (const auto& [section, position] :
         {std::pair{"ReplaceWin", &s.replaceWin}, std::pair{"ReplaceQuestion", &s.replaceQuestion},
          std::pair{"PluginLang", &s.pluginLang}}) {
        place(section, "Left", position->left);
        place(section, "Top", position->top);
    }

    const PlacementSettings& obj = s.objectWindow.placement;
    place("ObjTrans", "Left", obj.left);
    place("ObjTrans", "Top", obj.top);
    place("ObjTrans", "Width", obj.width);
    place("ObjTrans", "Height", obj.height);
    values.push_back({"ObjTrans", "IsMaximized", flag(obj.isMaximized), true});
    add("ObjTrans", "EnhRLE", flag(s.objectWindow.enhRle));

    const ExeSettings& exe = s.exeSettings;
    add("EXESettings", "TextID", number(exe.textId));
    add("EXESettings", "EnhRLE", flag(exe.enhRle));
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        const auto i = static_cast<std::size_t>(k);
        add("EXESettings", "Text" + std::to_string(messageEntry(i)), exe.texts[i]);
    }
    add("EXESettings", "YesChars", exe.yesChars);
    add("EXESettings", "Target", exe.target);

    const ChecksPanelSettings& checks = s.checksPanel;
    add("ChecksPanel", "Visible", flag(checks.visible));
    add("ChecksPanel", "Area", checks.area);
    add("ChecksPanel", "Floating", flag(checks.floating));
    place("ChecksPanel", "Left", checks.left);
    place("ChecksPanel", "Top", checks.top);
    place("ChecksPanel", "Width", checks.width);
    place("ChecksPanel", "Height", checks.height);
    add("ChecksPanel", "Errors", flag(checks.filter.errors));
    add("ChecksPanel", "Warnings", flag(checks.filter.warnings));
    add("ChecksPanel", "Info", flag(checks.filter.info));
    add("ChecksPanel", "Untranslated", flag(checks.filter.untranslated));
    add("ChecksPanel", "Check", checks.filter.check);

    // Values that a file never given them does not hold while they are empty.
    const auto choice = [&values](const char* section, std::string key, std::string value) {
        values.push_back({section, std::move(key), std::move(value), false, true});
    };
    choice("Folders", "TranslationPO", nativeSeparators(s.folders.translationPo));
    choice("Folders", "ObjectPO", nativeSeparators(s.folders.objectPo));
    choice("Characters", "TableFile", nativeSeparators(s.characters.tableFile));
    choice("Spelling", "Language", s.spelling.language);
    choice("Spelling", "DictionaryFolder", nativeSeparators(s.spelling.dictionaryFolder));
    choice("Translation", "Language", s.translation.language);
    for (std::size_t i = 0; i < s.recent.size(); ++i) {
        const RecentTranslation& entry = s.recent[i];
        const std::string n = std::to_string(i + 1);
        choice("Recent", "Original" + n, nativeSeparators(entry.original));
        choice("Recent", "Translated" + n, nativeSeparators(entry.translated));
        choice("Recent", "FontCharset" + n, number(entry.fontCharset));
        choice("Recent", "TableFile" + n, nativeSeparators(entry.tableFile));
        choice("Recent", "Spelling" + n, entry.spellingLanguage);
        choice("Recent", "Language" + n, entry.poLanguage);
    }
    return values;
}

void writeClosingSettings(ProfileFile& ini, const AppSettings& s) {
    for (const SettingValue& v : settingValues(s)) {
        // A value never set adds nothing to the file; one set before is written even when
        // emptied.
        if (!v.choice || !v.value.empty() || !ini.readString(v.section, v.key, "").empty()) {
            ini.writeString(v.section, v.key, v.value);
        }
    }
    ini.save();
}

std::vector<SettingValue> changedSettings(const std::vector<SettingValue>& before,
                                          std::vector<SettingValue> now) {
    std::map<std::pair<std::string, std::string>, const std::string*> old;
    for (const SettingValue& v : before) {
        old.emplace(std::pair{v.section, v.key}, &v.value);
    }
    for (SettingValue& v : now) {
        const auto it = old.find({v.section, v.key});
        v.changed = it == old.end() || *it->second != v.value;
    }
    return now;
}

void writeSettingValues(ProfileFile& ini, const std::vector<SettingValue>& values,
                        bool fillMissing) {
    for (const SettingValue& v : values) {
        if (v.changed ||
            (fillMissing && !(v.choice && v.value.empty()) && !ini.hasKey(v.section, v.key))) {
            ini.writeString(v.section, v.key, v.value);
        }
    }
    ini.save();
}

}  // namespace tarn
