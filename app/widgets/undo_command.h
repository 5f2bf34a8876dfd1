// SPDX-License-Identifier: GPL-3.0-or-later
// Puts a document's commands on a QUndoStack: the stack gives the Undo and Redo actions, their
// captions and the clean state, the command changes the document.
#pragma once

#include <QUndoCommand>
#include <QUndoStack>
#include <memory>

#include "common/edit_command.h"

namespace tarn {

class UndoCommand : public QUndoCommand {
public:
    explicit UndoCommand(std::unique_ptr<EditCommand> command)
        : QUndoCommand(QString::fromStdString(command->name())), command_(std::move(command)) {}

    void redo() override { command_->redo(); }
    void undo() override {
        command_->undo();
        // The stack deletes a step that is obsolete once undone.
        setObsolete(dropWhenUndone_);
    }
    const EditCommand& edit() const { return *command_; }
    void dropWhenUndone() { dropWhenUndone_ = true; }

private:
    std::unique_ptr<EditCommand> command_;
    bool dropWhenUndone_ = false;
};

// Makes the change (QUndoStack::push calls redo) and records it as one step.
inline void pushEdit(QUndoStack& stack, std::unique_ptr<EditCommand> command) {
    stack.push(new UndoCommand(std::move(command)));
}

// Typing that came back to the text it began with (Esc, or keys that undid themselves) leaves
// no step behind: the top step, when it changes nothing, is taken back and dropped. Answers
// whether it was.
inline bool dropStepThatChangesNothing(QUndoStack& stack) {
    if (stack.index() == 0 || stack.index() != stack.count()) {
        return false;
    }
    auto* top = const_cast<QUndoCommand*>(stack.command(stack.index() - 1));
    auto* step = dynamic_cast<UndoCommand*>(top);
    if (step == nullptr || !step->edit().changesNothing()) {
        return false;
    }
    step->dropWhenUndone();
    stack.undo();
    return true;
}

}  // namespace tarn
