// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/texts_history.h"

#include <algorithm>

#include "app/widgets/undo_command.h"

namespace tarn {

namespace {

bool stepMarksModified(const QUndoCommand* step) {
    const auto* undoCommand = dynamic_cast<const UndoCommand*>(step);
    const auto* command =
        undoCommand ? dynamic_cast<const StringTableCommand*>(&undoCommand->edit()) : nullptr;
    return command == nullptr || command->marksModified();
}

}  // namespace

TextsHistory::TextsHistory(StringTableDocument& document, QObject* parent)
    : QObject(parent), document_(document), stack_(this) {
    connect(&stack_, &QUndoStack::indexChanged, this, [this] {
        if (!pushing_) {
            live_ = nullptr;  // undo or redo: the next keystroke starts a new step
        }
        updateModified();
    });
    connect(&stack_, &QUndoStack::cleanChanged, this, &TextsHistory::updateModified);
}

TextsHistory::~TextsHistory() {
    disconnect(&stack_, nullptr, this, nullptr);
}

void TextsHistory::setReadOnly(bool readOnly) {
    if (readOnly == readOnly_) {
        return;
    }
    readOnly_ = readOnly;
    live_ = nullptr;
    change_.reset();
    emit readOnlyChanged(readOnly_);
}

void TextsHistory::push(std::unique_ptr<StringTableCommand> command) {
    if (readOnly_) {
        emit changeRefused();
        return;
    }
    live_ = nullptr;
    pushEdit(stack_, std::move(command));
    emit textsChanged();
    emit edited();
}

bool TextsHistory::editCell(int row, int column, CellText value) {
    if (readOnly_) {
        emit changeRefused();
        return false;
    }
    if (change_) {
        change_->change(row, column, std::move(value));
        emit edited();
        return true;
    }
    if (live_ != nullptr && liveRow_ == row && liveColumn_ == column) {
        live_->change(row, column, std::move(value));
        emit edited();
        return true;
    }
    auto command =
        std::make_unique<SetTextsCommand>(document_, "Edit text " + std::to_string(row),
                                          column == StringTableDocument::TranslatedColumn);
    command->add(row, column, std::move(value));
    SetTextsCommand* step = command.get();
    pushing_ = true;
    pushEdit(stack_, std::move(command));
    pushing_ = false;
    live_ = step;
    liveRow_ = row;
    liveColumn_ = column;
    emit edited();
    return true;
}

bool TextsHistory::settleCell(int row, int column) {
    if (!document_.isAsTyped(row, column) || document_.cellError(row, column)) {
        return false;
    }
    document_.normaliseCell(row, column);
    if (live_ != nullptr && liveRow_ == row && liveColumn_ == column) {
        live_->change(row, column, document_.cellText(row, column));
    }
    return true;
}

void TextsHistory::beginChange() {
    live_ = nullptr;
    if (readOnly_) {
        return;  // each of its edits is refused
    }
    change_ = std::make_unique<SetTextsCommand>(document_, std::string());
}

void TextsHistory::endChange(const std::string& action) {
    std::unique_ptr<SetTextsCommand> change = std::move(change_);
    if (!change || change->empty()) {
        return;
    }
    // Already made, one replacement after the other; pushing makes the same changes again.
    change->setName(countedName(action, change->changedCells()));
    push(std::move(change));
}

void TextsHistory::undo() {
    if (!stack_.canUndo()) {
        return;
    }
    stack_.undo();
    emit textsChanged();
    emit edited();
}

void TextsHistory::redo() {
    if (!stack_.canRedo()) {
        return;
    }
    stack_.redo();
    emit textsChanged();
    emit edited();
}

void TextsHistory::markSaved(bool allStored) {
    live_ = nullptr;
    if (allStored) {
        stack_.setClean();
    } else {
        stack_.resetClean();
    }
    updateModified();
}

void TextsHistory::clear() {
    live_ = nullptr;
    change_.reset();
    stack_.clear();
    updateModified();
}

void TextsHistory::updateModified() {
    bool modified = stack_.cleanIndex() < 0;
    const int from = std::min(stack_.cleanIndex(), stack_.index());
    const int to = std::max(stack_.cleanIndex(), stack_.index());
    for (int i = std::max(from, 0); !modified && i < to; ++i) {
        modified = stepMarksModified(stack_.command(i));
    }
    if (modified != document_.modified()) {
        document_.setModified(modified);
    }
    emit modifiedChanged();
}

}  // namespace tarn
