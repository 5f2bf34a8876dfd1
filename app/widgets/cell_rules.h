// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of every grid of game texts: the current cell may not be left while it holds C-style
// text that does not convert; entering a cell settles the text typed in the cell left and
// remembers the new cell's text for Esc; Esc brings that text back without leaving a step in the
// history. The grid view asks these through its gate; the window hears what happened through
// the signals.
#pragma once

#include <QObject>
#include <QPointer>
#include <string>

#include "app/widgets/text_grid_view.h"
#include "textcodes/game_text_rows.h"

namespace tarn {

class GameTextsModel;
class GameTextsSession;
struct ChangedTexts;

class CellRules : public QObject, public CellGate {
    Q_OBJECT
public:
    CellRules(TextGridView& view, GameTextsModel& model, GameTextsSession& session,
              QObject* parent);
    ~CellRules() override;

    // True when the current cell may be left; otherwise says why in a message box.
    bool checkCurrentCell();
    // The command as one that runs only when the current cell may be left: every command that
    // works on other texts than the current one is connected through this.
    template <typename Command>
    auto whenCellMayBeLeft(Command command) {
        return [this, command] {
            if (checkCurrentCell()) {
                command();
            }
        };
    }
    // Ctrl+Z (or Ctrl+Y when redo): an open editor's own typing first (undo_keys.h), else a step
    // of the history, once the current cell may be left.
    void stepHistory(bool redo);
    // Remembers the current cell's text as the one Esc brings back.
    void rememberCurrentText();
    // The text Esc brings back, in the current notation.
    const std::string& escText() const { return escText_; }

    bool mayEnterCell(int row, int column) override;
    bool mayCloseEditor() override;

signals:
    // A cell was entered (its text is the one Esc brings back).
    void cellEntered(int row, int column);
    // The edit of the current cell is finished for now: what other views show may count it.
    void editFinished();
    // Esc brought back the text of the current cell.
    void cellRestored();

private:
    void restoreCurrentText();
    void followChange(const ChangedTexts& changed);

    QPointer<TextGridView> view_;
    GameTextsModel& model_;
    GameTextsSession& session_;
    std::string escText_;
    CellText escCell_;
};

}  // namespace tarn
