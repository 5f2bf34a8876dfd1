// The main window: the grid of the 3453 texts and the window's commands. Each command's rules
// live in the StringTableDocument or in the dialog it opens; this class wires them to actions,
// menus, the toolbar, the grid and the status bar.
#pragma once

#include <QFont>
#include <QMainWindow>
#include <QString>
#include <optional>

#include "app/main/app_settings.h"
#include "app/widgets/game_font.h"
#include "common/code_page.h"
#include "common/code_page_choice.h"
#include "common/profile_file.h"
#include "exetext/space_budget.h"
#include "exetext/string_table_document.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;

namespace tarn {

class AboutDialog;
class ChecksPanel;
class FindAndPreview;
class GridController;
class GridModel;
class JumpToTextDialog;
class PathsDialog;
class SaveProgressDialog;
class TextGridView;
class TextsHistory;
class UnresolvedTextsDialog;
class ObjectTextsWindow;
class ObjectLanguageDialog;
struct SaveOptions;
struct SaveResult;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kMainHelpContext = 1;

    // settingsPath: the settings file; programDir: the folder of the help and font files.
    MainWindow(const QString& settingsPath, const QString& programDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- State other windows use ---
    StringTableDocument& document() { return document_; }
    // Every change of the document is a step here.
    TextsHistory& history() { return *history_; }
    bool modified() const { return document_.modified(); }
    void setModified(bool modified);  // also enables or disables Save
    bool isCStyle() const { return document_.cstyle(); }
    const std::string& undoText() const { return document_.undoText(); }

    // The executables being edited and the profiles found for them (-1: none).
    const QString& originalPath() const { return origExePath_; }
    const QString& translatedPath() const { return transExePath_; }
    int originalProfile() const { return origProfile_; }
    int translatedProfile() const { return transProfile_; }

    int currentRow() const;     // 1..3453 (0: none)
    int currentColumn() const;  // 0..3
    bool isEditing() const;
    QLineEdit* cellEditor() const;                // the open cell editor, or nullptr
    void openCellEditor();                        // on the current cell
    void closeCellEditor();                       // keeps what was typed
    QWidget* gridViewport() const;                // where the cells are drawn
    QString cellText(int row, int column) const;  // as displayed
    // Sets a cell from a text in the current notation and repaints it: an edit of the cell like
    // typing, or part of the history's open change.
    void setCellText(int row, int column, const std::string& text);
    // Moves the current cell there through the grid's rules; answers whether it moved.
    bool selectCell(int row, int column);
    QRect cellRect(int row, int column) const;  // in the grid's viewport coordinates
    QFont editorFont() const { return font_; }
    void applyFont(const QFont& font);  // to every window

    // The main font's character set ("FontCharset") and the code page it chooses, through
    // which every window shows and edits the game's texts.
    int fontCharset() const { return fontCharset_; }
    const CodePage& codePage() const { return codePage_; }
    // Shows every text through the set's code page at once; no byte of any text changes. A
    // set without a single-byte page falls back to 1252, and the status bar says so once.
    void setFontCharset(int charset);
    // A typed or pasted character the code page lacks was refused (the beep is done).
    void reportMissingCharacter(char32_t character);
    void setHint(const QString& hint);  // the window's hint (free-space report)
    QString statusText() const;

    // The settings file, read afresh.
    ProfileFile openSettings() const { return ProfileFile(settingsPath_.toStdString()); }
    const QString& settingsPath() const { return settingsPath_; }
    AppSettings& settings() { return settings_; }
    QString helpFile() const;
    bool fontAdded() const { return gameFont_.added(); }

    // True when the current cell may be left; otherwise says why in a message box.
    bool checkCurrentCell();

signals:
    // The start-up has read every stored value (before the executables are opened); windows
    // created later take their values from settings() here.
    void settingsLoaded();
    // The window is about to write the settings; windows put their values into settings().
    void aboutToWriteSettings();

public slots:
    void saveTexts();
    void runGame();
    void choosePaths();
    void copyOriginalTexts();
    void undo();  // the cell editor's typing while it is open, else the last step
    void redo();
    void jumpToText();
    void goToNextUntranslated();
    void toggleNotation();
    void chooseFont();
    void showFind();
    void replaceTexts();
    void togglePreview();
    void openObjectTexts();
    void chooseObjectLanguages();
    void exportTranslation();  // the texts as a PO file for a translator's tool
    void importTranslation();  // a PO file's translations into the Translated column
    void showAbout();
    void showHelpContents();
    void showHelpOverview();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void createActions();
    void createMenusAndToolbar();
    bool helpOnMenuItem(QMenu& menu);  // F1 on a menu item: its section of the guide
    void createGrid();
    void createDialogs();
    void applyMainWindowPlacement(const PlacementSettings& placement);
    void fitColumns();
    bool maybeSaveBeforeClosing();
    void writeSettingsAtClose();
    void captureMainWindowPlacement();

    // Start-up and the executables (main_window_settings.cpp, main_window_commands.cpp).
    void startUp();      // once the window is on screen
    void openAtStart();  // the settings, then the executables
    void askPathsAtStart();
    bool checkPaths(const QString& originalPath, const QString& translatedPath);
    void usePaths(const QString& originalPath, const QString& translatedPath);
    void loadExecutables();
    void showUnresolvedTexts(const QString& label, const std::vector<int>& numbers);
    SaveOptions saveOptions() const;
    void applySaveResult(const SaveResult& result);

    // What the grid reports.
    void showEnteredCell(int row, int column);
    void noteCellEdit(int row, int column);
    void showFormatCodeMenu(const QPoint& globalPos);
    void checkCellOnFocusLoss(QWidget* now);
    void showStatus(const QString& text);
    void showCurrentCodes();
    void showHint(const QString& hint);
    void showCodePageNote();
    void enableSave();
    void showHistoryChange();
    void rememberCurrentText();  // the text Esc brings back

    // The space budget and the Checks panel (main_window_checks.cpp). Every command that
    // changes many texts calls refreshBudgetAndChecks; a cell that is left refreshes them when
    // a text changed since.
    void createChecksPanel();
    void refreshBudgetAndChecks();
    void refreshBudgetAndChecksIfOutOfDate();
    void showBudget(const std::optional<SpaceBudget>& budget);
    void goToNextFinding();
    void replaceTypedCodeWithLookAlike(int text, int byte);
    void applyChecksPanelSettings();
    void captureChecksPanelSettings();

    // PO files (main_window_po.cpp), in the window's code page.
    void createPoActions();

    // The object-file windows (main_window_objects.cpp).
    void createObjectWindows();
    void applyObjectWindowSettings();
    void captureObjectWindowSettings();

    QString settingsPath_;
    QString programDir_;
    StringTableDocument document_;
    TextsHistory* history_ = nullptr;
    GridModel* model_ = nullptr;
    GridController* gridController_ = nullptr;
    AppSettings settings_;
    QFont font_;
    int fontCharset_ = kDefaultCharset;
    CodePage codePage_;
    QString codePageNote_;  // the fallback note, until the status bar has shown it
    bool startingUp_ = false;
    QString currentHint_;
    GameFontRegistration gameFont_;
    bool closing_ = false;
    bool settingsWritten_ = false;

    QString origExePath_;
    QString transExePath_;
    int origProfile_ = -1;
    int transProfile_ = -1;

    // The window's commands.
    QAction* saveAction_;
    QAction* runAction_;
    QAction* pathsAction_;
    QAction* objectLanguageAction_;
    QAction* objectTextsAction_;
    QAction* exportPoAction_;
    QAction* importPoAction_;
    QAction* exitAction_;
    QAction* undoAction_;
    QAction* redoAction_;
    QAction* cutAction_;
    QAction* copyAction_;
    QAction* pasteAction_;
    QAction* findAction_;
    QAction* replaceAction_;
    QAction* copyTextsAction_;
    QAction* jumpToAction_;
    QAction* nextUntranslatedAction_;
    QAction* notationAction_;
    QAction* previewAction_;
    QAction* fontAction_;
    QAction* helpContentsAction_;
    QAction* helpOverviewAction_;
    QAction* aboutAction_;

    TextGridView* textGrid_;
    QMenu* formatCodeMenu_;  // the grid's context menu while a cell is edited
    QToolBar* toolBar_;

    PathsDialog* pathsDialog_;
    SaveProgressDialog* saveDialog_;
    JumpToTextDialog* jumpDialog_;
    UnresolvedTextsDialog* unresolvedDialog_;
    AboutDialog* aboutDialog_;
    // Find, Preview, Replace and the replace prompt, the Preview command and the format-code
    // menu's items.
    FindAndPreview* findAndPreview_ = nullptr;
    // The object-file windows.
    ObjectTextsWindow* objectTextsWindow_ = nullptr;  // with its new-ID and builder dialogs
    ObjectLanguageDialog* objectLanguageDialog_ = nullptr;
    // The space budget in the status bar and the Checks panel.
    QLabel* budgetLabel_ = nullptr;
    ChecksPanel* checksPanel_ = nullptr;
    QAction* checksAction_ = nullptr;  // shows or hides the panel
    QAction* nextFindingAction_ = nullptr;
    bool reviewOutOfDate_ = false;
};

// Puts a window whose stored position would leave less than 10 pixels on the primary screen
// at (0, 0).
void applyPlacementCheck(QWidget& window);

// Where a window without a stored placement first opens: centred on the available screen area,
// two thirds of its width and height.
QRect firstWindowRect(const QRect& available);

}  // namespace tarn
