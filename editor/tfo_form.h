// The main window: the grid of the 3453 texts and the window's commands. Each command's rules
// live in the StringTableDocument or in the dialog it opens; this class wires them to actions,
// menus, the toolbar, the grid and the status bar.
#pragma once

#include <QAction>
#include <QFont>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>

#include "common/profile_file.h"
#include "editor/app_settings.h"
#include "exetext/string_table_document.h"
#include "platform/qt/game_font.h"

class QLineEdit;
class QMenu;
class QToolBar;

namespace tarn {

class FindAndPreview;
class GridModel;
class StringGrid;
class TAboutForm;
class TConfigForm;
class TFormSave;
class TJumpToForm;
class TNotFoundForm;
class TObjTranslate;
class TPluginLangSettings;
class TAskLangID;
class TCreateEXESettings;
struct SaveOptions;
struct SaveResult;

class TFoForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kMainHelpContext = 1;
    static constexpr int kConfigureHelpContext = 5;

    // settingsPath: the settings file; programDir: the folder of the help and font files.
    TFoForm(const QString& settingsPath, const QString& programDir, QWidget* parent = nullptr);
    ~TFoForm() override;

    // --- State other windows use ---
    StringTableDocument& document() { return document_; }
    GridModel& gridModel() { return *model_; }
    bool Modified() const { return document_.modified(); }
    void setModified(bool modified);  // also enables or disables Save
    bool isCStyle() const { return document_.cstyle(); }
    const std::string& UndoText() const { return document_.undoText(); }

    int currentRow() const;     // 1..3453 (0: none)
    int currentColumn() const;  // 0..3
    bool isEditing() const;
    QLineEdit* cellEditor() const;                // the open cell editor, or nullptr
    QString cellText(int row, int column) const;  // as displayed
    // Sets a cell's game bytes and repaints it (no Modified change).
    void setCellText(int row, int column, const std::string& text);
    // Moves the current cell there through the grid's rules; answers whether it moved.
    bool selectCell(int row, int column);
    QRect cellRect(int row, int column) const;  // in the grid's viewport coordinates
    QFont editorFont() const { return font_; }
    void applyFont(const QFont& font);  // to every window
    void setHint(const QString& hint);  // the window's hint (free-space report)
    QString statusText() const;

    // The settings file, read afresh.
    ProfileFile openSettings() const { return ProfileFile(settingsPath_.toStdString()); }
    const QString& settingsPath() const { return settingsPath_; }
    AppSettings& settings() { return settings_; }
    QString helpFile() const;

    // --- Operations ---
    bool CheckCurrentCell();
    bool checkExePaths(const QString& originalPath, const QString& translatedPath);
    void LoadExecutables();
    void LoadSettings();  // the start-up work, once the window is on screen
    void SaveTexts();
    SaveOptions saveOptions() const;
    void saveFinished(const SaveResult& result);  // from the save window
    void pathsConfirmed(const QString& originalPath, const QString& translatedPath);
    bool fontAdded() const { return gameFont_.added(); }

    // Paths and profiles of the loaded executables.
    QString OrigExePath;
    QString TransExePath;
    int OrigProfile = -1;
    int TransProfile = -1;

    // Actions (commands of the window).
    QAction* Save;
    QAction* Run;
    QAction* Configure;
    QAction* PluginLang;
    QAction* TransObj;
    QAction* Exit1;
    QAction* EditCut1;
    QAction* EditCopy1;
    QAction* EditPaste1;
    QAction* Find;
    QAction* Replace;
    QAction* CopyStrings;
    QAction* JumpTo;
    QAction* NextUntrans;
    QAction* CStyle;
    QAction* Preview;
    QAction* ChangeFont;
    QAction* HelpContents1;
    QAction* HelpOverview;
    QAction* About;

    // The grid's context menu while a cell is edited (filled by the format-code menu).
    QMenu* PopupMenu1;
    StringGrid* StringGrid1;
    QToolBar* ToolBar1;

    TConfigForm* ConfigForm;
    TFormSave* FormSave;
    TJumpToForm* JumpToForm;
    TNotFoundForm* NotFoundForm;
    TAboutForm* AboutForm;
    // Find, Preview, Replace and the replace question, the Preview command and PopupMenu1's
    // items.
    FindAndPreview* FindPreview = nullptr;
    // The object-file windows (tfo_form_objects.cpp).
    TObjTranslate* ObjTranslate = nullptr;
    TPluginLangSettings* PluginLangSettings = nullptr;
    TAskLangID* AskLangID = nullptr;
    TCreateEXESettings* CreateEXESettings = nullptr;

signals:
    // LoadSettings has read every stored value (before the executables are opened); windows
    // created later take their values from settings() here.
    void settingsLoaded();
    // FormClose is about to write the settings; windows put their values into settings().
    void aboutToWriteSettings();

public slots:
    void RunExecute();
    void ConfigureExecute();
    void CopyStringsExecute();
    void JumpToExecute();
    void NextUntransExecute();
    void CStyleExecute();
    void ChangeFontExecute();
    void FindExecute();
    void ReplaceExecute();
    void PreviewExecute();
    void TransObjExecute();
    void PluginLangExecute();
    void AboutExecute();
    void HelpContentsExecute();
    void HelpOverviewExecute();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void FormCreate();
    void createActions();
    void createMenusAndToolbar();
    void createGrid();
    void applyMainWindowPlacement(const PlacementSettings& placement);
    void FormResize();
    bool FormCloseQuery();
    void FormClose();
    void captureMainWindowPlacement();

    // Grid rules.
    bool StringGrid1SelectCell(int row, int column);
    void StringGrid1SetEditText(int row, int column);
    bool editorEnter();
    void startEditingWithEnter();
    void escapePressed();
    void StringGrid1ContextPopup(const QPoint& globalPos);
    void gridFocusLost(QWidget* now);
    void showStatus(const QString& text);
    void showCurrentCodes();
    void ApplicationEvents1Hint(const QString& hint);
    void SaveUpdate();
    void openPathsDialogAtStart();
    // The object-file windows (tfo_form_objects.cpp).
    void createObjectWindows();
    void applyObjectWindowSettings();
    void captureObjectWindowSettings();

    QString settingsPath_;
    QString programDir_;
    StringTableDocument document_;
    GridModel* model_ = nullptr;
    AppSettings settings_;
    QFont font_;
    QString currentHint_;
    GameFontRegistration gameFont_;
    bool closing_ = false;
    bool settingsWritten_ = false;
};

// Puts a window whose stored position would leave less than 10 pixels on the primary screen
// at (0, 0).
void applyPlacementCheck(QWidget& window);

}  // namespace tarn
