// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/edit_actions.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>

#include "app/main/jump_to_text_dialog.h"
#include "app/main/status_line.h"
#include "app/main/text_moves.h"
#include "app/main/texts_session.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/prompter.h"
#include "app/widgets/text_grid_view.h"
#include "exetext/string_table_commands.h"

namespace tarn {

EditActions::EditActions(WindowParts& parts, QAction& notation)
    : QObject(&parts.window),
      parts_(parts),
      notation_(notation),
      formatCodeMenu_(new QMenu(&parts.window)),
      jumpDialog_(new JumpToTextDialog(&parts.window)) {}

void EditActions::undo() {
    undoStep(false);
}

void EditActions::redo() {
    undoStep(true);
}

void EditActions::undoStep(bool redo) {
    parts_.cellRules.stepHistory(redo);
}

void EditActions::goToNextUntranslated() {
    // Rows the grid's filter hides are passed over.
    TextGridView& grid = parts_.grid;
    const StringTableDocument& document = parts_.session.document();
    const NextText nextShown = [&grid, &document](int after) {
        int row = document.nextUntranslated(after);
        while (row != 0 && grid.isRowHidden(row - 1)) {
            row = document.nextUntranslated(row);
        }
        return row;
    };
    const int row =
        nextTextStartingAgain(grid.currentRow(), nextShown, QStringLiteral("Next untranslated"),
                              QStringLiteral("No more untranslated texts"));
    if (row != 0) {
        workOnTranslation(grid, row);
    }
}

void EditActions::copyOriginalTexts() {
    const MessageAnswer answer = prompter().message(
        QStringLiteral("This will copy all strings on the left side to the right.\n\rAll strings "
                       "on the right will be lost.\n\rAre you sure you want to do that?"),
        QStringLiteral("Confirmation"), MessageIcon::Question, MessageButtons::YesNoDefaultNo);
    if (answer != MessageAnswer::Yes) {
        return;
    }
    parts_.grid.closeCellEditor();
    parts_.session.push(copyOriginalToTranslated(parts_.session.stepTarget()));
}

void EditActions::jumpToText() {
    if (prompter().runModal(*jumpDialog_) != QDialog::Accepted) {
        return;
    }
    const int text = jumpDialog_->number();
    if (parts_.grid.isRowHidden(text - 1)) {
        const MessageAnswer answer = prompter().message(
            QStringLiteral("Text %1 is hidden by the filter. Show all texts?").arg(text),
            QStringLiteral("Jump to..."), MessageIcon::Question, MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) {
            return;
        }
        emit allTextsWanted();
    }
    workOnTranslation(parts_.grid, text);
}

void EditActions::showNotation() {
    notation_.setChecked(parts_.document.notation() == Notation::CStyle);
}

void EditActions::toggleNotation() {
    parts_.grid.closeCellEditor();
    const auto errors = parts_.session.toggleNotation();
    showNotation();
    emit notationToggled();
    for (const auto& error : errors) {
        showPlainMessage(QStringLiteral("Error in string number ") + QString::number(error.row) +
                         QStringLiteral(": ") + QString::fromStdString(error.message));
    }
    if (parts_.document.notation() == Notation::CStyle) {
        parts_.status.show(QString());
    } else {
        parts_.status.showCodesUnlessHint();
    }
}

void EditActions::showFormatCodeMenu(const QPoint& globalPos) {
    // The context menu opens only while a cell is being edited.
    if (parts_.grid.isEditing() && !formatCodeMenu_->isEmpty()) {
        formatCodeMenu_->popup(globalPos);
    }
}

}  // namespace tarn
