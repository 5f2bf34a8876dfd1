// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/cell_rules.h"

#include "app/widgets/game_text_delegate.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/game_texts_session.h"
#include "app/widgets/undo_keys.h"

namespace tarn {

CellRules::CellRules(TextGridView& view, GameTextsModel& model, GameTextsSession& session,
                     QObject* parent)
    : QObject(parent), view_(&view), model_(model), session_(session) {
    view.setGate(this);
    connect(&session, &GameTextsSession::textsChanged, this, &CellRules::followChange);
    // A read-only grid opens no cell editor.
    connect(&session, &GameTextsSession::readOnlyChanged, &view, &TextGridView::setReadOnly);
    connect(&view, &TextGridView::editingStarts, this, &CellRules::rememberCurrentText);
    connect(&view, &TextGridView::escapePressed, this, &CellRules::restoreCurrentText);
}

CellRules::~CellRules() {
    if (view_) {
        view_->setGate(nullptr);
    }
}

bool CellRules::checkCurrentCell() {
    const int row = view_->currentRow();
    const int column = view_->currentColumn();
    const GameTextRows& rows = session_.rows();
    if (row < 1 || row > rows.rowCount() || !rows.isTextColumn(column)) {
        return true;
    }
    const auto error = rows.cellError(row, column);
    if (!error) {
        return true;
    }
    showNotationError(*error);
    return false;
}

void CellRules::stepHistory(bool redo) {
    if (editorTakesUndoKey(view_->cellEditor(), redo) || !checkCurrentCell()) {
        return;
    }
    view_->closeCellEditor();
    redo ? session_.redo() : session_.undo();
}

bool CellRules::mayEnterCell(int row, int column) {
    if (!checkCurrentCell()) {
        return false;
    }
    const GameTextRows& rows = session_.rows();
    const int leftRow = view_->currentRow();
    const int leftColumn = view_->currentColumn();
    if (leftRow >= 1 && leftRow <= rows.rowCount() && rows.isTextColumn(leftColumn)) {
        session_.settleCell(leftRow, leftColumn);  // shown in its canonical form from now on
    }
    if (!rows.isTextColumn(column)) {
        return false;
    }
    session_.endCellEdit();  // typing in the next cell is a step of its own
    escText_ = rows.notationText(row, column);
    escCell_ = rows.cellText(row, column);
    emit cellEntered(row, column);
    return true;
}

bool CellRules::mayCloseEditor() {
    if (!checkCurrentCell()) {
        return false;
    }
    emit editFinished();
    return true;
}

void CellRules::rememberCurrentText() {
    const int row = view_->currentRow();
    const int column = view_->currentColumn();
    const GameTextRows& rows = session_.rows();
    if (row >= 1 && row <= rows.rowCount() && rows.isTextColumn(column)) {
        escText_ = rows.notationText(row, column);
        escCell_ = rows.cellText(row, column);
    }
}

void CellRules::followChange(const ChangedTexts& changed) {
    // Undo, redo and whole changes give the current cell a new text to come back to.
    if (!changed.ongoing) {
        rememberCurrentText();
    }
}

void CellRules::restoreCurrentText() {
    const int row = view_->currentRow();
    const int column = view_->currentColumn();
    const GameTextRows& rows = session_.rows();
    if (row >= 1 && row <= rows.rowCount() && rows.isTextColumn(column)) {
        model_.restoreCell(row, column, escCell_);
        emit cellRestored();
    }
}

}  // namespace tarn
