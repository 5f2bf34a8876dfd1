// "Texts in object files": loads every object file of the game's ObjData folder, shows the
// files and their text groups as a tree and one group's texts in a grid, edits them in place,
// and writes the changed files back. Its CreateEXE button builds the end-user program from the
// files as they are held here.
#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <vector>

#include "objfiles/obj_text_model.h"
#include "objtrans/carried_program.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QStatusBar;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarn {

class ObjTextGrid;
class TAskLangID;
class TCreateEXESettings;

class TObjTranslate : public QDialog {
    Q_OBJECT
public:
    explicit TObjTranslate(QWidget* parent = nullptr);

    // The translated game executable; its folder holds ObjData.
    QString TransExePath;
    // The dialogs this window opens (owned elsewhere, created once at program start).
    TAskLangID* AskLangID = nullptr;
    TCreateEXESettings* CreateEXESettings = nullptr;
    // Where the end-user program's bytes come from (the program's own carried copy).
    CarriedProgramSource carriedProgram = carriedPatcher;

    // --- State ---
    std::vector<ObjFile> Files;
    int currentFile() const { return currentFile_; }    // index into Files, -1: none
    int currentGroup() const { return currentGroup_; }  // index into its Texts, -1: none
    const std::string& UndoText() const { return undoText_; }
    bool isBusy() const { return busy_; }
    bool anyModified() const;
    QString statusText() const;

    // --- Operations (the handlers of the window's buttons and menu) ---
    void LoadFiles();  // runs once the window is on screen
    void SaveClick();
    void CreateEXEClick();
    void NewIDClick();
    void DelIDClick();
    void PreviousTextGroupClick();
    void NextTextGroupClick();

    // --- Components ---
    QSplitter* Splitter1;
    QTreeWidget* TreeView1;
    QTreeWidgetItem* RootNode;
    QStackedWidget* RightSide;
    QWidget* RootHint;
    QWidget* FileInfo;
    QLabel* Filename;
    QLabel* InternalID;
    QLabel* DataType;
    QLabel* StoreMode;
    QWidget* Texts;
    ObjTextGrid* StringGrid1;
    QWidget* Panel1;
    QCheckBox* EnhRLE;
    QPushButton* Save;
    QPushButton* CreateEXE;
    QPushButton* CloseButton;
    QStatusBar* StatusBar1;
    QMenu* PopupMenu1;
    QAction* Cut1;
    QAction* Copy1;
    QAction* Paste1;
    QAction* NewID;
    QAction* DelID;
    QAction* Previoustextgroup1;
    QAction* Nexttextgroup1;

signals:
    // Loading has ended, whatever its outcome.
    void filesLoaded();
    void statusChanged(const QString& text);

public slots:
    void reject() override;  // the close box and the Close button, through the question

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createComponents();
    void createPopupMenu();
    void setStatus(const QString& text);
    void addFileNode(int index);
    void discardFiles();
    bool confirmClose();
    void fileModified();
    std::filesystem::path objectFilePath(const ObjFile& file) const;

    // Tree and grid handlers.
    void TreeView1Change(QTreeWidgetItem* node);
    void showGroup(int file, int group);
    void fillGrid();
    void StringGrid1SetEditText(int row, const QString& text);
    void StringGrid1CellChanged(int row, int column);
    void StringGrid1CurrentCellChanged(int row, int column);
    void StringGrid1Escape(int row);
    void selectGridRow(int row);
    void stepTextGroup(bool forward);

    int currentFile_ = -1;
    int currentGroup_ = -1;
    std::string undoText_;
    std::filesystem::path objData_;
    bool busy_ = false;
    bool filling_ = false;
    QLabel* statusLabel_ = nullptr;
};

}  // namespace tarn
