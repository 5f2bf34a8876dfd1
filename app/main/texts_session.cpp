// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/texts_session.h"

#include <algorithm>

#include "app/widgets/undo_command.h"
#include "exetext/reload_merge.h"
#include "exetext/string_table_writer.h"

namespace tarn {

namespace {

constexpr int kTypingId = 1;

bool stepMarksModified(const QUndoCommand* step) {
    const auto* undoCommand = dynamic_cast<const UndoCommand*>(step);
    const auto* command =
        undoCommand ? dynamic_cast<const StringTableCommand*>(&undoCommand->edit()) : nullptr;
    return command == nullptr || command->marksModified();
}

}  // namespace

// One keystroke's change of a cell. The stack merges it into the step of the cell edit in
// progress, so typing on makes one step; its own redo has made the change already.
class TypingStep : public UndoCommand {
public:
    TypingStep(std::unique_ptr<SetTextsCommand> texts, const TextsSession& session, int row,
               int column, CellText value)
        : UndoCommand(std::unique_ptr<EditCommand>(texts.get())),
          texts_(*texts.release()),
          session_(session),
          row_(row),
          column_(column),
          value_(std::move(value)) {}

    int id() const override { return kTypingId; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto& typed = static_cast<const TypingStep&>(*other);
        if (session_.live_ != this || typed.row_ != row_ || typed.column_ != column_) {
            return false;
        }
        texts_.add(row_, column_, typed.value_);
        return true;
    }
    SetTextsCommand& texts() { return texts_; }
    bool edits(int row, int column) const { return row == row_ && column == column_; }

private:
    SetTextsCommand& texts_;  // owned by UndoCommand
    const TextsSession& session_;
    int row_;
    int column_;
    CellText value_;
};

TextsSession::TextsSession(QObject* parent) : QObject(parent), stack_(this) {
    connect(&stack_, &QUndoStack::indexChanged, this, &TextsSession::updateModified);
    connect(&stack_, &QUndoStack::cleanChanged, this, &TextsSession::updateModified);
}

TextsSession::~TextsSession() {
    disconnect(&stack_, nullptr, this, nullptr);
}

void TextsSession::setReadOnly(bool readOnly) {
    if (readOnly == readOnly_) {
        return;
    }
    readOnly_ = readOnly;
    live_ = nullptr;
    emit readOnlyChanged(readOnly_);
}

void TextsSession::push(std::unique_ptr<StringTableCommand> command) {
    if (readOnly_) {
        emit changeRefused();
        return;
    }
    live_ = nullptr;
    pushEdit(stack_, std::move(command));
    announce({});
}

bool TextsSession::editCell(int row, int column, CellText value) {
    if (readOnly_) {
        emit changeRefused();
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
    const int before = stack_.index();
    stack_.push(new TypingStep(std::move(texts), *this, row, column, std::move(value)));
    if (stack_.index() > before) {  // a step of its own, not merged into the cell edit
        live_ =
            static_cast<TypingStep*>(const_cast<QUndoCommand*>(stack_.command(stack_.index() - 1)));
    }
    if (dropStepThatChangesNothing(stack_)) {
        live_ = nullptr;
    }
    announce({{row}, true});
    return true;
}

bool TextsSession::settleCell(int row, int column) {
    if (!document_.isAsTyped(row, column) || document_.cellError(row, column)) {
        return false;
    }
    document_.normaliseCell(row, column);
    if (live_ != nullptr && live_->edits(row, column)) {
        live_->texts().change(row, column, document_.cellText(row, column));
    }
    announce({{row}, true});
    return true;
}

void TextsSession::beginChange() {
    live_ = nullptr;
    inChange_ = !readOnly_;  // else each of its edits is refused
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

void TextsSession::undo() {
    if (!stack_.canUndo()) {
        return;
    }
    live_ = nullptr;  // the next keystroke starts a new step
    stack_.undo();
    announce({});
}

void TextsSession::redo() {
    if (!stack_.canRedo()) {
        return;
    }
    live_ = nullptr;
    stack_.redo();
    announce({});
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

std::vector<int> TextsSession::reload(TranslatedFileState disk, const std::string& stepName) {
    ReloadMerge merge = mergeReloaded(document_, disk);
    document_.setOnDisk(std::move(disk));
    if (merge.step) {
        merge.step->setName(stepName);
        live_ = nullptr;
        pushEdit(stack_, std::move(merge.step));
    }
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

void TextsSession::setCStyle(bool cstyle) {
    if (cstyle != document_.cstyle()) {
        document_.setCStyleFlag(cstyle);
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

void TextsSession::updateModified() {
    bool modified = stack_.cleanIndex() < 0;
    const int from = std::min(stack_.cleanIndex(), stack_.index());
    const int to = std::max(stack_.cleanIndex(), stack_.index());
    for (int i = std::max(from, 0); !modified && i < to; ++i) {
        modified = stepMarksModified(stack_.command(i));
    }
    if (modified != modified_) {
        modified_ = modified;
        emit modifiedChanged(modified_);
    }
}

void TextsSession::announce(ChangedTexts changed) {
    emit textsChanged(changed);
}

}  // namespace tarn
