// SPDX-License-Identifier: GPL-3.0-or-later
// One keystroke's change of a cell. The stack merges it into the step of the cell edit in
// progress (the session's live step, the same cell), so typing on makes one step; its own redo
// has made the change already, and the step it merges into takes the new text over.
#pragma once

#include <array>
#include <memory>

#include "app/widgets/undo_command.h"

namespace tarn {

class TypingStep : public UndoCommand {
public:
    // Where it types: row and column, and for a document of several groups, which one.
    using Cell = std::array<int, 4>;

    // live: the session's step of the cell edit in progress, which may take more typing.
    TypingStep(std::unique_ptr<EditCommand> edit, Cell cell, TypingStep* const& live)
        : UndoCommand(std::move(edit)), cell_(cell), live_(live) {}

    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto& typed = static_cast<const TypingStep&>(*other);
        if (live_ != this || typed.cell_ != cell_) {
            return false;
        }
        retype(typed);
        return true;
    }
    bool types(const Cell& cell) const { return cell == cell_; }

protected:
    // Takes the text of a later keystroke in the same cell.
    virtual void retype(const TypingStep& later) = 0;

private:
    Cell cell_;
    TypingStep* const& live_;
};

// Pushes a keystroke's step: merged into the cell edit in progress, or the start of a new one
// (live then points at it); typing that came back to the text it began with leaves no step.
inline void pushTyping(QUndoStack& stack, TypingStep* step, TypingStep*& live) {
    const int before = stack.index();
    stack.push(step);
    if (stack.index() > before) {  // a step of its own, not merged into the cell edit
        live = static_cast<TypingStep*>(const_cast<QUndoCommand*>(stack.command(before)));
    }
    if (dropStepThatChangesNothing(stack)) {
        live = nullptr;
    }
}

}  // namespace tarn
