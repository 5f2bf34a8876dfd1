// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/texts_session.h"

#include <algorithm>

#include "app/widgets/typing_step.h"
#include "exetext/reload_merge.h"
#include "exetext/string_table_writer.h"

namespace tarn {

// One keystroke's change of a text cell of the executable's texts.
class CellTypingStep : public TypingStep {
public:
    CellTypingStep(std::unique_ptr<SetTextsCommand> texts, TypingStep* const& live, int row,
                   int column, CellText value)
        : TypingStep(std::unique_ptr<EditCommand>(texts.get()), {row, column, 0, 0}, live),
          texts_(*texts.release()),
          row_(row),
          column_(column),
          value_(std::move(value)) {}

    SetTextsCommand& texts() { return texts_; }

private:
    void retype(const TypingStep& later) override {
        texts_.add(row_, column_, static_cast<const CellTypingStep&>(later).value_);
    }

    SetTextsCommand& texts_;  // owned by UndoCommand
    int row_;
    int column_;
    CellText value_;
};

TextsSession::TextsSession(QObject* parent) : GameTextsSession(parent) {}

bool TextsSession::stepMarksModified(const QUndoCommand* step) const {
    const auto* undoCommand = dynamic_cast<const UndoCommand*>(step);
    const auto* command =
        undoCommand ? dynamic_cast<const StringTableCommand*>(&undoCommand->edit()) : nullptr;
    return command == nullptr || command->marksModified();
}

void TextsSession::push(std::unique_ptr<StringTableCommand> command) {
    if (refusedAsReadOnly()) {
        return;
    }
    live_ = nullptr;
    pushEdit(stack_, std::move(command));
    announce({});
}

bool TextsSession::editCell(int row, int column, CellText value) {
    if (refusedAsReadOnly()) {
        return false;
    }
    if (inChange_) {
        if (changeTexts_ == nullptr) {
            auto command = std::make_unique<SetTextsCommand>(document_, std::string());
            command->add(row, column, std::move(value));
            changeTexts_ = command.get();
            changeStep_ = new UndoCommand(std::move(command));
            stack_.push(changeStep_);
        } else {
            changeTexts_->change(row, column, std::move(value));
        }
        changeRows_.push_back(row);
        announce({{row}, true});
        return true;
    }
    auto texts =
        std::make_unique<SetTextsCommand>(document_, "Edit text " + std::to_string(row),
                                          column == StringTableDocument::TranslatedColumn);
    texts->add(row, column, value);
    pushTyping(stack_, new CellTypingStep(std::move(texts), live_, row, column, std::move(value)),
               live_);
    announce({{row}, true});
    return true;
}

bool TextsSession::settleCell(int row, int column) {
    if (!document_.isAsTyped(row, column) || document_.cellError(row, column)) {
        return false;
    }
    document_.normaliseCell(row, column);
    if (live_ != nullptr && live_->types({row, column, 0, 0})) {
        static_cast<CellTypingStep*>(live_)->texts().change(row, column,
                                                            document_.cellText(row, column));
    }
    announce({{row}, true});
    return true;
}

void TextsSession::beginChange() {
    live_ = nullptr;
    inChange_ = !isReadOnly();  // else each of its edits is refused
    changeStep_ = nullptr;
    changeTexts_ = nullptr;
    changeRows_.clear();
}

void TextsSession::endChange(const std::string& action) {
    if (!inChange_) {
        return;
    }
    inChange_ = false;
    if (changeStep_ == nullptr) {
        return;
    }
    // Changed and changed back: no step.
    if (!dropStepThatChangesNothing(stack_)) {
        const std::string name = countedName(action, changeTexts_->changedCells());
        changeTexts_->setName(name);
        changeStep_->setText(QString::fromStdString(name));
        // The step was named when pushed; the Undo command shows its name now.
        emit stack_.undoTextChanged(stack_.undoText());
    }
    std::sort(changeRows_.begin(), changeRows_.end());
    changeRows_.erase(std::unique(changeRows_.begin(), changeRows_.end()), changeRows_.end());
    changeStep_ = nullptr;
    changeTexts_ = nullptr;
    announce({std::move(changeRows_), false});
    changeRows_.clear();
}

void TextsSession::load(const LoadedExecutables& executables) {
    document_.load(executables);
    live_ = nullptr;
    inChange_ = false;
    stack_.clear();
    updateModified();
    emit loaded();
    announce({});
}

void TextsSession::finishSave(const SaveResult& result) {
    document_.setShareTargets(result.shareTargets);
    if (result.saved) {
        markSaved(result.cstyleErrors.empty());
    }
    announce({});
    if (result.saved) {
        emit saved();
    }
}

std::vector<std::size_t> TextsSession::reload(TranslatedFileState disk,
                                              const std::string& stepName) {
    ReloadMerge merge = mergeReloaded(document_, disk, stepName);
    document_.setOnDisk(std::move(disk));
    takeReloadStep(merge);
    // Without kept edits the document now holds what the file holds.
    markSaved(!merge.keepsEdits);
    announce({});
    return merge.conflicts;
}

std::vector<StringTableDocument::NotationError> TextsSession::toggleNotation() {
    auto errors = document_.toggleNotation();
    live_ = nullptr;
    announce({});
    return errors;
}

void TextsSession::setNotation(Notation notation) {
    if (notation != document_.notation()) {
        document_.setNotation(notation);
        announce({});
    }
}

void TextsSession::markSaved(bool allStored) {
    live_ = nullptr;
    if (allStored) {
        stack_.setClean();
    } else {
        stack_.resetClean();
    }
    updateModified();
}

}  // namespace tarn
