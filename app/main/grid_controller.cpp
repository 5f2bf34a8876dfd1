// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/grid_controller.h"

#include "app/main/grid_model.h"
#include "app/main/texts_session.h"
#include "app/widgets/game_text_delegate.h"
#include "app/widgets/prompter.h"
#include "exetext/string_table_document.h"

namespace tarn {

GridController::GridController(TextGridView& view, GridModel& model, TextsSession& session,
                               QObject* parent)
    : QObject(parent),
      view_(&view),
      model_(model),
      document_(session.document()),
      session_(session) {
    view.setGate(this);
    connect(&session, &TextsSession::textsChanged, this, &GridController::followChange);
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
    if (leftRow >= 1 && leftColumn >= 1) {
        session_.settleCell(leftRow, leftColumn);  // shown in its canonical form from now on
    }
    if (column == StringTableDocument::ShortColumn || column == StringTableDocument::NumberColumn) {
        return false;
    }
    session_.endCellEdit();  // typing in the next cell is a step of its own
    escText_ = document_.notationText(row, column);
    escCell_ = document_.cellText(row, column);
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
        escText_ = document_.notationText(row, column);
        escCell_ = document_.cellText(row, column);
    }
}

void GridController::followChange(const ChangedTexts& changed) {
    // Undo, redo and whole changes give the current cell a new text to come back to.
    if (!changed.ongoing) {
        rememberCurrentText();
    }
}

void GridController::restoreCurrentText() {
    const int row = view_->currentRow();
    const int column = view_->currentColumn();
    if (row >= 1 && (column == StringTableDocument::OriginalColumn ||
                     column == StringTableDocument::TranslatedColumn)) {
        model_.restoreCell(row, column, escCell_);
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
