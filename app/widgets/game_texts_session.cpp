// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/game_texts_session.h"

#include <algorithm>

#include "app/widgets/undo_command.h"

namespace tarn {

GameTextsSession::GameTextsSession(QObject* parent) : QObject(parent), stack_(this) {
    connect(&stack_, &QUndoStack::indexChanged, this, &GameTextsSession::updateModified);
    connect(&stack_, &QUndoStack::cleanChanged, this, &GameTextsSession::updateModified);
}

GameTextsSession::~GameTextsSession() {
    disconnect(&stack_, nullptr, this, nullptr);
}

void GameTextsSession::setReadOnly(bool readOnly) {
    if (readOnly == readOnly_) {
        return;
    }
    readOnly_ = readOnly;
    endCellEdit();
    emit readOnlyChanged(readOnly_);
}

bool GameTextsSession::refusedAsReadOnly() {
    if (readOnly_) {
        emit changeRefused();
    }
    return readOnly_;
}

void GameTextsSession::undo() {
    if (!stack_.canUndo()) {
        return;
    }
    endCellEdit();  // the next keystroke starts a new step
    stack_.undo();
    historyMoved();
    announce({});
}

void GameTextsSession::redo() {
    if (!stack_.canRedo()) {
        return;
    }
    endCellEdit();
    stack_.redo();
    historyMoved();
    announce({});
}

void GameTextsSession::takeReloadStep(ReloadMerge& merge) {
    endCellEdit();
    if (merge.step) {
        pushEdit(stack_, std::move(merge.step));
    }
}

bool GameTextsSession::differsFromFiles() const {
    bool modified = stack_.cleanIndex() < 0;
    const int from = std::min(stack_.cleanIndex(), stack_.index());
    const int to = std::max(stack_.cleanIndex(), stack_.index());
    for (int i = std::max(from, 0); !modified && i < to; ++i) {
        modified = stepMarksModified(stack_.command(i));
    }
    return modified;
}

void GameTextsSession::updateModified() {
    const bool modified = differsFromFiles();
    if (modified != modified_) {
        modified_ = modified;
        emit modifiedChanged(modified_);
    }
}

}  // namespace tarn
