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
    void undo() override { command_->undo(); }
    const EditCommand& edit() const { return *command_; }

private:
    std::unique_ptr<EditCommand> command_;
};

// Makes the change (QUndoStack::push calls redo) and records it as one step.
inline void pushEdit(QUndoStack& stack, std::unique_ptr<EditCommand> command) {
    stack.push(new UndoCommand(std::move(command)));
}

}  // namespace tarn
