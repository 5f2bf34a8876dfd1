// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/grid_controller.h"

#include "app/main/grid_model.h"
#include "app/main/texts_history.h"
#include "app/widgets/game_text_delegate.h"
#include "app/widgets/prompter.h"
#include "exetext/string_table_document.h"

namespace tarn {

GridController::GridController(TextGridView& view, GridModel& model, StringTableDocument& document,
                               TextsHistory& history, QObject* parent)
    : QObject(parent), view_(&view), model_(model), document_(document), history_(history) {
    view.setGate(this);
    connect(&view, &TextGridView::editingStarts, this, &GridController::rememberCurrentText);
    connect(&view, &TextGridView::escapePressed, this, &GridController::restoreCurrentText);
}

GridController::~GridController() {
    if (view_) {
        view_->setGate(nullptr);
    }
}

bool GridController::checkCurrentCell() {
    const int row = view_->currentRow();
    const int column = view_->currentColumn();
    if (row < 1) {
        return true;
    }
    const auto error = document_.cellError(row, column);
    if (!error) {
        return true;
    }
    showNotationError(*error);
    return false;
}

bool GridController::mayEnterCell(int row, int column) {
    if (!checkCurrentCell()) {
        return false;
    }
    const int leftRow = view_->currentRow();
    const int leftColumn = view_->currentColumn();
    if (leftRow >= 1 && leftColumn >= 1 && history_.settleCell(leftRow, leftColumn)) {
        model_.refreshCell(leftRow, leftColumn);  // shown in its canonical form from now on
    }
    if (column == StringTableDocument::ShortColumn || column == StringTableDocument::NumberColumn) {
        return false;
    }
    history_.endCellEdit();  // typing in the next cell is a step of its own
    document_.setUndoText(document_.notationText(row, column));
    emit cellEntered(row, column);
    return true;
}

bool GridController::mayCloseEditor() {
    if (!checkCurrentCell()) {
        return false;
    }
    emit editFinished();
    return true;
}

void GridController::rememberCurrentText() {
    const int row = view_->currentRow();
    const int column = view_->currentColumn();
    if (row >= 1 && column >= 1) {
        document_.setUndoText(document_.notationText(row, column));
    }
}

void GridController::restoreCurrentText() {
    const int row = view_->currentRow();
    const int column = view_->currentColumn();
    if (row >= 1 && (column == StringTableDocument::OriginalColumn ||
                     column == StringTableDocument::TranslatedColumn)) {
        model_.setCellText(row, column, document_.undoText());
        emit cellRestored();
    }
}

void GridController::goToNextUntranslated() {
    // Rows the grid's filter hides are passed over.
    int row = document_.nextUntranslated(view_->currentRow());
    while (row != 0 && view_->isRowHidden(row - 1)) {
        row = document_.nextUntranslated(row);
    }
    if (row != 0) {
        view_->moveTo(row, StringTableDocument::TranslatedColumn);
        return;
    }
    prompter().message(QStringLiteral("No more untranslated texts"), QStringLiteral("Information"),
                       MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace tarn
