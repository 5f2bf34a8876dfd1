// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the grid of the 3453 texts. It owns the document and wires the parts that
// hold the commands (files, edit, find, preview, PO, checks, font, object windows, settings) to
// the actions, the grid and the status line; each command's rules live in its own class.
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

#include "app/main/app_settings.h"
#include "app/main/window_parts.h"
#include "app/main/window_settings.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/game_font.h"
#include "common/code_page.h"
#include "common/profile_file.h"
#include "exetext/string_table_document.h"

namespace tarn {

class CharacterTableActions;
class EditActions;
class FileActions;
class FindWiring;
class CellRules;
class TextFilterBar;
class GameTextsModel;
class HelpActions;
class IdenticalTexts;
class MainActions;
class ObjectActions;
class PoActions;
class PreviewWiring;
class PseudoTranslation;
class SaveChecks;
class SettingsKeeper;
class ExecutableGrowth;
class SpellingActions;
class StatusLine;
class TextGridView;
class TextsSession;
class TranslationChecks;
class WindowFont;
class MainWindowCells;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // settingsPath: the settings file; programDir: the folder of the help and font files.
    MainWindow(const QString& settingsPath, const QString& programDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    const StringTableDocument& document() const;
    TextsSession& session() { return *session_; }  // every change of the document is a step
    const QString& originalPath() const { return executables_.originalPath; }
    int translatedProfile() const { return executables_.translatedProfile; }

    QString cellText(int row, int column) const;  // as displayed
    // Sets a cell from a text in the current notation and repaints it: an edit of the cell like
    // typing, or part of the history's open change.
    void setCellText(int row, int column, const std::string& text);

    QFont editorFont() const;
    int fontCharset() const;  // the main font's character set, which chooses the code page
    const CodePage& codePage() const { return codePage_; }
    void setFontCharset(int charset);
    void setHint(const QString& hint);  // the grid's hint (free-space report)

    // The settings file, read afresh.
    ProfileFile openSettings() const { return ProfileFile(toFilePath(settingsPath_)); }
    const QString& settingsPath() const { return settingsPath_; }
    AppSettings& settings() { return settings_; }

    void saveTexts();  // refused while the current cell may not be left

signals:
    // The start-up has read every stored value (before the executables are opened); windows
    // created later take their values from settings() here.
    void settingsLoaded();
    // The window is about to write the settings; windows put their values into settings().
    void aboutToWriteSettings();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void createGrid();
    void createParts();
    void connectActions();
    void connectParts();
    void startUp();  // once the window is on screen
    void fitColumns();
    void enableSave(bool modified);
    void showReadOnly(bool readOnly);
    void checkCellOnFocusLoss(QWidget* now);

    QString settingsPath_;
    QString programDir_;
    AppSettings settings_;
    CodePage codePage_;  // chosen by WindowFont
    OpenExecutables executables_;
    GameFontRegistration gameFont_;
    bool closing_ = false;
    bool settingsWritten_ = false;

    TextsSession* session_;
    MainActions* actions_;
    GameTextsModel* model_;
    TextGridView* textGrid_;
    CellRules* cellRules_;
    StatusLine* status_;
    std::unique_ptr<WindowParts> parts_;
    std::unique_ptr<MainWindowCells> gridForWindows_;  // the grid as find, preview and menu see it
    WindowFont* font_;
    TranslationChecks* checks_;
    TextFilterBar* filter_;
    SaveChecks* saveChecks_;
    ExecutableGrowth* growth_;
    HelpActions* help_;
    WindowSettings* stored_;
    SettingsKeeper* settingsKeeper_;
    FileActions* files_;
    EditActions* edit_;
    FindWiring* find_;
    PreviewWiring* preview_;
    PoActions* po_;
    ObjectActions* objects_;
    CharacterTableActions* table_;
    IdenticalTexts* identical_;
    SpellingActions* spelling_;
    PseudoTranslation* pseudo_;
};

}  // namespace tarn
