// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's actions (objectName, caption, keys and hint of each command), its menus and
// its toolbar. Cut, Copy and Paste act on the focused edit box; the window connects the rest.
#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMainWindow;
class QUndoStack;

namespace tarn {

class MainActions : public QObject {
    Q_OBJECT
public:
    // The actions act in the whole window; Undo and Redo name the step the stack would take.
    MainActions(QMainWindow& window, const QUndoStack& stack);

    // The menu bar and the toolbar; checks and nextFinding are the Checks panel's commands.
    // helpFilter hears the keys pressed in every menu (F1 on an item).
    void buildMenusAndToolbar(QAction* checks, QAction* nextFinding, QObject* helpFilter);

    QAction* save;
    QAction* run;
    QAction* paths;
    QAction* objectLanguage;
    QAction* objectTexts;
    QAction* grow;
    QAction* exportPo;
    QAction* importPo;
    QAction* exit;
    QAction* undo;
    QAction* redo;
    QAction* cut;
    QAction* copy;
    QAction* paste;
    QAction* find;
    QAction* replace;
    QAction* copyTexts;
    QAction* jumpTo;
    QAction* nextUntranslated;
    QAction* notation;
    QAction* preview;
    QAction* font;
    QAction* characterTable;
    QAction* helpContents;
    QAction* helpOverview;
    QAction* about;
    QMenu* otherMenu = nullptr;  // the window's parts add their commands to it
    QMenu* recentMenu = nullptr;  // File > Recent translations

private:
    void nameSteps(const QUndoStack& stack);

    QMainWindow& window_;
};

// The help context number of a command, on its action.
inline constexpr const char* kHelpContextProperty = "helpContext";

}  // namespace tarn
