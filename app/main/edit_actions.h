// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's edit actions: Undo and Redo (the cell editor's typing first), Copy strings,
// Jump to, the notation toggle and the grid's context menu while a cell is edited.
#pragma once

#include <QObject>

#include "app/main/window_parts.h"

class QAction;
class QMenu;
class QPoint;

namespace tarn {

class JumpToTextDialog;

class EditActions : public QObject {
    Q_OBJECT
public:
    // notation: the checkable C-style command, whose check mark follows the document.
    EditActions(WindowParts& parts, QAction& notation);

    QMenu& formatCodeMenu() const { return *formatCodeMenu_; }  // filled by FormatCodeMenu

    // The cell editor's own typing while it is open, else the last step (or the one undone).
    void undo();
    void redo();
    // The commands below run only when the current cell may be left (the window wires them so).
    void copyOriginalTexts();
    void jumpToText();  // asks before showing a text the filter hides
    // Moves to the next untranslated text shown below the current one, or says there is none;
    // the current cell has been checked.
    void goToNextUntranslated();
    void toggleNotation();
    // The notation command was refused: its check mark shows the notation still in force.
    void showNotation();
    void showFormatCodeMenu(const QPoint& globalPos);

signals:
    // The notation changed.
    void notationToggled();
    // Jump to a text the grid's filter hides: the translator chose to see every text.
    void allTextsWanted();

private:
    void undoStep(bool redo);

    WindowParts& parts_;
    QAction& notation_;
    QMenu* formatCodeMenu_;
    JumpToTextDialog* jumpDialog_;
};

}  // namespace tarn
