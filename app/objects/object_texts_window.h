// SPDX-License-Identifier: GPL-3.0-or-later
// "Texts in object files": loads every object file of the game's ObjData folder, shows the
// files and their text groups as a tree and one group's texts in a grid, edits them in place,
// and writes the changed files back. The texts and the rules for changing them are the
// ObjectTextsDocument's; the window shows the tree, the file page and its buttons, and hands
// the rest to its parts: the group page (the grid), the folder guard (loading, locking,
// saving), the PO exchange and the checks. Its builder button makes the end-user program from
// the files as they are held here.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <string>
#include <utility>

#include "app/objects/language_ids_question.h"
#include "app/objects/object_button_panel.h"
#include "app/objects/object_folder_guard.h"
#include "app/objects/object_group_page.h"
#include "app/objects/object_po_exchange.h"
#include "app/objects/object_spelling.h"
#include "common/code_page.h"
#include "enduser/carried_patcher.h"
#include "textcodes/cstyle.h"

class QModelIndex;
class QStackedWidget;
class QTreeView;

namespace tarn {

class LackingLanguageBar;
class ObjectFilePage;
class ObjectNotes;
class ObjectStatusBar;
class ObjectTextsSession;
class ObjectTreeModel;
class ObjectWindowChecks;
class PatchBuilderDialog;

class ObjectTextsWindow : public QDialog {
    Q_OBJECT
public:
    explicit ObjectTextsWindow(QWidget* parent = nullptr);
    // The grid goes before the session it shows.
    ~ObjectTextsWindow() override;

    // The translated game executable; its folder holds ObjData. Read when the window is shown.
    void setTranslatedExecutable(const QString& path) { folder_->setTranslatedExecutable(path); }
    // Where the end-user program's bytes come from (the program's own carried copy).
    void setCarriedProgram(CarriedProgramSource source) { carriedProgram_ = std::move(source); }
    // The "Enhanced RLE encoding" choice used when saving.
    bool enhancedRle() const { return panel_->enhancedRle(); }
    void setEnhancedRle(bool enhanced) { panel_->setEnhancedRle(enhanced); }
    // The code page the texts are shown and edited in; a shown group is shown anew.
    void setCodePage(const CodePage& codePage);
    const CodePage& codePage() const { return codePage_; }
    // What the PO export writes in its header: the translation's language code and the name of
    // the character table laid over the code page ("" for none).
    void setPoHeaderValues(std::string language, std::string tableName) {
        po_->setHeaderValues(std::move(language), std::move(tableName));
    }
    // The notation texts are shown and typed in (the main window's choice); a shown group is
    // shown anew. Going back to raw notation, a C-style text that does not convert is
    // kept as the bytes of its characters, as the main grid keeps it.
    void setNotation(Notation notation);
    Notation notation() const;
    // Game bytes as the grid shows them in the current notation and code page.
    QString displayText(const std::string& bytes) const;
    // The grid as the preview and the format-code menu see it.
    TextCells& textCells() const { return groupPage_->textCells(); }
    // The builder's settings dialog, owned here; the main window stores its choices.
    PatchBuilderDialog& patchBuilder() const { return *patchBuilder_; }
    // The main window's primary language ID: the target a PO export proposes, the ID the add
    // prompts propose and the one the lacking-language filter looks for.
    void setPrimaryLanguageId(int id);
    // The main window's spelling dictionary, and its words changing.
    void setSpellChecker(SpellingHighlighter::CheckerSource checker) {
        spelling_->setChecker(std::move(checker));
    }
    void spellingWordsChanged() { spelling_->wordsChanged(); }
    // The folder the PO file dialogs open in (UTF-8); the main window stores it.
    const std::string& poFolder() const { return po_->folder(); }
    void setPoFolder(std::string folder) { po_->setFolder(std::move(folder)); }

    // The loaded files, changed through the session. Changes made to the document directly show
    // in the grid once a group is shown anew.
    ObjectTextsSession& session() const { return *session_; }
    const ObjectTextsDocument& document() const;
    ObjectTextsDocument& document();
    int currentFile() const { return currentFile_; }  // index into the files, -1: none
    int currentGroup() const;                         // index into its groups, -1: none
    // The text Esc gives the current cell back, in the current notation.
    const std::string& undoText() const { return groupPage_->undoText(); }
    bool isBusy() const { return busy_; }
    // Another program held the object folder when it was loaded: nothing is changed or saved.
    bool isReadOnly() const;
    QString statusText() const;
    // True when the current cell may be left; otherwise says why in a message box.
    bool checkCurrentCell() { return groupPage_->checkCurrentCell(); }
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
    void goToPreviousGroup() { stepTextGroup(false); }
    void goToNextGroup() { stepTextGroup(true); }
    // The texts between two language IDs as a PO file, and back into the document (written
    // by Save, like every edit).
    void exportTranslation();
    void importTranslation();
    // Takes back or makes again the last step of the window's history; with a cell editor open,
    // the editor's own text instead.
    void undo() { stepHistory(true); }
    void redo() { stepHistory(false); }
    void reject() override;  // the close box and the Close button, through the question

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createWidgets();
    void connectParts();
    void setStatus(const QString& text);
    void discardFiles();
    void showReadOnly();
    bool refusedAsReadOnly();  // says so when read-only
    void showRefusal();
    bool unsaved() const;
    bool confirmClose();
    void updateSaveButton();
    void showNode(const QModelIndex& node);
    void showGroup(int file, int group);
    void stepTextGroup(bool forward);
    void stepHistory(bool back);

    ObjectTextsSession* session_ = nullptr;
    CodePage codePage_;
    CarriedProgramSource carriedProgram_ = carriedPatcher;
    int currentFile_ = -1;  // the file or group node's file
    bool busy_ = false;
    bool stayingOnNode_ = false;  // the tree's current node set back, not shown anew
    PatchBuilderDialog* patchBuilder_ = nullptr;

    QTreeView* objectTree_ = nullptr;
    ObjectTreeModel* treeModel_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QWidget* rootHintPage_ = nullptr;
    ObjectFilePage* fileInfoPage_ = nullptr;
    ObjectGroupPage* groupPage_ = nullptr;
    ObjectButtonPanel* panel_ = nullptr;
    ObjectStatusBar* statusBar_ = nullptr;

    LackingLanguageBar* lackingLanguage_ = nullptr;
    ObjectSpelling* spelling_ = nullptr;
    ObjectNotes* notes_ = nullptr;

    std::unique_ptr<LanguageIdsQuestion> languageIds_;  // the checks' and the PO commands'
    ObjectWindowChecks* checks_ = nullptr;
    std::unique_ptr<ObjectPoExchange> po_;
    std::unique_ptr<ObjectFolderGuard> folder_;
};

}  // namespace tarn
