// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/app_settings.h"

#include <algorithm>

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

void writePosition(ProfileFile& ini, const char* section, const PositionSettings& position) {
    ini.writeInteger(section, "Left", position.left);
    ini.writeInteger(section, "Top", position.top);
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
std::string readPath(const ProfileFile& ini, const char* section, const char* key) {
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
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
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

    s.objTrans.placement = readPlacement(ini, "ObjTrans", false);
    s.objTrans.enhRle = ini.readBool("ObjTrans", "EnhRLE", true);

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
}

void writeClosingSettings(ProfileFile& ini, const AppSettings& s) {
    ini.writeBool("Options", "CStyleStrings", s.options.cstyleStrings);
    ini.writeString("Options", "FontName", s.options.fontName);
    ini.writeInteger("Options", "FontCharset", s.options.fontCharset);
    ini.writeInteger("Options", "FontSize", s.options.fontSize);
    ini.writeInteger("Options", "FontStyle", s.options.fontStyle);

    ini.writeBool("MainWindow", "IsMaximized", s.mainWindow.isMaximized);
    ini.writeInteger("MainWindow", "Left", s.mainWindow.left);
    ini.writeInteger("MainWindow", "Top", s.mainWindow.top);
    ini.writeInteger("MainWindow", "Width", s.mainWindow.width);
    ini.writeInteger("MainWindow", "Height", s.mainWindow.height);

    ini.writeInteger("Preview", "BackColor", s.preview.backColor);
    ini.writeInteger("Preview", "TextColor", s.preview.textColor);
    ini.writeInteger("Preview", "Left", s.preview.left);
    ini.writeInteger("Preview", "Top", s.preview.top);
    ini.writeInteger("Preview", "Width", s.preview.width);
    ini.writeInteger("Preview", "Height", s.preview.height);
    ini.writeBool("Preview", "Visible", s.preview.visible);

    writePosition(ini, "ReplaceWin", s.replaceWin);
    writePosition(ini, "ReplaceQuestion", s.replaceQuestion);
    writePosition(ini, "PluginLang", s.pluginLang);

    const PlacementSettings& obj = s.objTrans.placement;
    ini.writeInteger("ObjTrans", "Left", obj.left);
    ini.writeInteger("ObjTrans", "Top", obj.top);
    ini.writeInteger("ObjTrans", "Width", obj.width);
    ini.writeInteger("ObjTrans", "Height", obj.height);
    ini.writeBool("ObjTrans", "IsMaximized", obj.isMaximized);
    ini.writeBool("ObjTrans", "EnhRLE", s.objTrans.enhRle);

    const ExeSettings& exe = s.exeSettings;
    ini.writeInteger("EXESettings", "TextID", exe.textId);
    ini.writeBool("EXESettings", "EnhRLE", exe.enhRle);
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        const auto i = static_cast<std::size_t>(k);
        ini.writeString("EXESettings", "Text" + std::to_string(messageEntry(i)), exe.texts[i]);
    }
    ini.writeString("EXESettings", "YesChars", exe.yesChars);
    ini.writeString("EXESettings", "Target", exe.target);

    const ChecksPanelSettings& checks = s.checksPanel;
    ini.writeBool("ChecksPanel", "Visible", checks.visible);
    ini.writeString("ChecksPanel", "Area", checks.area);
    ini.writeBool("ChecksPanel", "Floating", checks.floating);
    ini.writeInteger("ChecksPanel", "Left", checks.left);
    ini.writeInteger("ChecksPanel", "Top", checks.top);
    ini.writeInteger("ChecksPanel", "Width", checks.width);
    ini.writeInteger("ChecksPanel", "Height", checks.height);
    ini.writeBool("ChecksPanel", "Errors", checks.filter.errors);
    ini.writeBool("ChecksPanel", "Warnings", checks.filter.warnings);
    ini.writeBool("ChecksPanel", "Info", checks.filter.info);
    ini.writeBool("ChecksPanel", "Untranslated", checks.filter.untranslated);
    ini.writeString("ChecksPanel", "Check", checks.filter.check);

    // A folder no dialog has shown yet adds nothing to the file.
    const auto writeFolder = [&ini](const char* key, const std::string& folder) {
        if (!folder.empty()) {
            ini.writeString("Folders", key, nativeSeparators(folder));
        }
    };
    writeFolder("TranslationPO", s.folders.translationPo);
    writeFolder("ObjectPO", s.folders.objectPo);
    // A value never set adds nothing to the file; one set before is written even when emptied.
    const auto writeChoice = [&ini](const char* section, const char* key,
                                    const std::string& value) {
        if (!value.empty() || !ini.readString(section, key, "").empty()) {
            ini.writeString(section, key, value);
        }
    };
    writeChoice("Characters", "TableFile", nativeSeparators(s.characters.tableFile));
    writeChoice("Spelling", "Language", s.spelling.language);
    writeChoice("Spelling", "DictionaryFolder", nativeSeparators(s.spelling.dictionaryFolder));
    writeChoice("Translation", "Language", s.translation.language);
    ini.save();
}

}  // namespace tarn
