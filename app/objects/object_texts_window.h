// SPDX-License-Identifier: GPL-3.0-or-later
// "Texts in object files": loads every object file of the game's ObjData folder, shows the
// files and their text groups as a tree and one group's texts in a grid, edits them in place,
// and writes the changed files back. The texts and the rules for changing them are the
// ObjectTextsDocument's; the window shows them and asks the questions. Its builder button makes
// the end-user program from the files as they are held here.
#pragma once

#include <QDialog>
#include <QString>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/objects/object_tree_model.h"
#include "common/code_page.h"
#include "common/edit_lock.h"
#include "enduser/carried_patcher.h"
#include "exchange/document_po.h"
#include "objfiles/object_texts_document.h"
#include "textcodes/translation_checks.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QStatusBar;
class QSplitter;
class QTimer;
class QTreeView;
class QModelIndex;

namespace tarn {

class CellRules;
class GameTextsModel;
class NewLanguageIdDialog;
class ObjectFilePage;
class ObjectGridActions;
class ObjectTextsSession;
class PatchBuilderDialog;
class PoLanguageIdsDialog;
class TextGrid;
class TextGridView;

class ObjectTextsWindow : public QDialog {
    Q_OBJECT
public:
    explicit ObjectTextsWindow(QWidget* parent = nullptr);
    // The undo stack clears itself as it goes and would report that to a window half torn down.
    ~ObjectTextsWindow() override;

    // The translated game executable; its folder holds ObjData. Read when the window is shown.
    void setTranslatedExecutable(const QString& path) { translatedExecutable_ = path; }
    // Where the end-user program's bytes come from (the program's own carried copy).
    void setCarriedProgram(CarriedProgramSource source) { carriedProgram_ = std::move(source); }
    // The "Enhanced RLE encoding" choice used when saving.
    bool enhancedRle() const;
    void setEnhancedRle(bool enhanced);
    // The code page the texts are shown and edited in; a shown group is shown anew.
    void setCodePage(const CodePage& codePage);
    const CodePage& codePage() const { return codePage_; }
    // What the PO export writes in its header: the translation's language code and the name of
    // the character table laid over the code page ("" for none).
    void setPoHeaderValues(std::string language, std::string tableName);
    // Whether texts are shown and typed in C-style notation (the main window's choice); a shown
    // group is shown anew. Going back to raw notation, a C-style text that does not convert is
    // kept as the bytes of its characters, as the main grid keeps it.
    void setCStyle(bool cstyle);
    bool cStyle() const;
    // Game bytes as the grid shows them in the current notation and code page.
    QString displayText(const std::string& bytes) const;
    // The grid as the preview and the format-code menu see it.
    TextGrid& textGrid() const { return *textGridForMenus_; }
    // The builder's settings dialog, owned here; the main window stores its choices.
    PatchBuilderDialog& patchBuilder() const { return *patchBuilder_; }
    // The main window's primary language ID: the target a PO export proposes.
    void setPrimaryLanguageId(int id) { primaryLanguageId_ = id; }
    // The folder the PO file dialogs open in (UTF-8); the main window stores it.
    const std::string& poFolder() const { return poFolder_; }
    void setPoFolder(std::string folder) { poFolder_ = std::move(folder); }

    // The loaded files, changed through the session. Changes made to the document directly show
    // in the grid once a group is shown anew.
    ObjectTextsSession& session() const { return *session_; }
    const ObjectTextsDocument& document() const;
    ObjectTextsDocument& document();
    int currentFile() const { return currentFile_; }  // index into the files, -1: none
    int currentGroup() const;                         // index into its groups, -1: none
    // The text Esc gives the current cell back, in the current notation.
    const std::string& undoText() const;
    bool isBusy() const { return busy_; }
    // Another program held the object folder when it was loaded: nothing is changed or saved.
    bool isReadOnly() const;
    QString statusText() const;
    // True when the current cell may be left; otherwise says why in a message box.
    bool checkCurrentCell();
    void reportRefusal(const QString& message);

signals:
    // Loading has ended, whatever its outcome.
    void filesLoaded();
    void statusChanged(const QString& text);

public slots:
    void loadFiles();  // runs once the window is on screen
    void saveModified();
    void buildPatch();
    void addLanguageId();
    void removeLanguageId();
    void goToPreviousGroup();
    void goToNextGroup();
    // The texts between two language IDs as a PO file, and back into the document (written
    // by Save, like every edit).
    void exportTranslation();
    void importTranslation();
    // Takes back or makes again the last step of the window's history; with a cell editor open,
    // the editor's own text instead.
    void undo();
    void redo();
    void reject() override;  // the close box and the Close button, through the question

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // How many file names a message lists before it counts the rest.
    static constexpr std::size_t kNamesShown = 20;

    void createWidgets();
    void createGridActions();
    void nameParts();
    void setStatus(const QString& text);
    // The game's ObjData folder, if any, and its object files.
    struct FolderListing {
        std::optional<std::filesystem::path> objData;
        std::vector<std::filesystem::path> files;
    };
    // Starts listing the folder on another thread while the window is shown and painted.
    void startListing();
    FolderListing takeListing();
    // The tree shows the loaded files and, in their places, the ones that failed.
    void fillTree(const std::vector<std::filesystem::path>& paths,
                  const std::vector<std::string>& problems);
    void discardFiles();
    // Tells of a save into the folder that was cut off: which files it wrote and which not.
    void showUnfinishedSave();
    // Asks before a save writes files that store a wrong checksum; false keeps them unsaved.
    bool mayRepairChecksums();
    // Locks the object folder while its files are open; read-only when another program holds
    // it, after a message naming that program.
    void lockFolder(const std::filesystem::path& objData);
    void showReadOnly();
    bool refusedAsReadOnly();  // says so when read-only
    void showRefusal();
    bool confirmClose();
    void updateSaveButton();
    // Asks, file by file, about files another program changed; false when nothing is to be
    // saved now (cancelled, or a file was reloaded).
    bool mayWriteOverOutsideChanges();
    void reloadFile(std::size_t file);

    // The tree and the grid.
    void createGrid();
    void showNode(const QModelIndex& node);
    void showGroup(int file, int group);
    void selectGridRow(int row);  // from 1
    void stepTextGroup(bool forward);
    void showLastIdRefused();

    // The history (object_texts_window_history.cpp).
    void stepHistory(bool back);

    // The checks (object_texts_window_checks.cpp).
    void createChecks();
    void chooseCheckedIds();  // asks the pair of IDs, then checks
    void checkSoon();         // after a change of the texts
    void runChecks();
    void markTree();
    void showGroupFindings();

    // PO files (object_texts_window_po.cpp).
    void createPoButtons();
    bool askPoLanguageIds(bool exporting);
    // The notes beside the object folder and the characters its PO files name.
    PoCompanions poCompanions() const;
    QString proposedPoFileName() const;

    ObjectTextsSession* session_ = nullptr;
    GameTextsModel* model_ = nullptr;
    CellRules* cellRules_ = nullptr;
    CodePage codePage_;
    std::string poLanguage_;
    std::string tableName_;
    QString translatedExecutable_;
    CarriedProgramSource carriedProgram_ = carriedPatcher;
    int currentFile_ = -1;  // the file or group node's file
    bool busy_ = false;
    bool stayingOnNode_ = false;          // the tree's current node set back, not shown anew
    std::future<FolderListing> listing_;  // started when the window is shown
    std::optional<EditLock> lock_;        // released when the files are discarded

    NewLanguageIdDialog* newLanguageIdDialog_ = nullptr;
    PatchBuilderDialog* patchBuilder_ = nullptr;
    PoLanguageIdsDialog* poLanguageIdsDialog_ = nullptr;
    // The checked pair (source, target), once chosen; the findings by file and group.
    std::optional<std::pair<int, int>> checkedIds_;
    GroupFindings findings_;
    QTimer* checksTimer_ = nullptr;
    QPushButton* checksButton_ = nullptr;
    int primaryLanguageId_ = 0;
    std::string poFolder_;

    QSplitter* splitter_ = nullptr;
    QTreeView* objectTree_ = nullptr;
    ObjectTreeModel* treeModel_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QWidget* rootHintPage_ = nullptr;
    ObjectFilePage* fileInfoPage_ = nullptr;
    QWidget* groupTextsPage_ = nullptr;
    TextGridView* textGrid_ = nullptr;
    QWidget* buttonPanel_ = nullptr;
    QCheckBox* enhancedRleCheck_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* buildPatchButton_ = nullptr;
    QPushButton* exportPoButton_ = nullptr;
    QPushButton* importPoButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    std::unique_ptr<TextGrid> textGridForMenus_;
    ObjectGridActions* gridActions_ = nullptr;
};

}  // namespace tarn
