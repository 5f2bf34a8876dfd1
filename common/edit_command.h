// SPDX-License-Identifier: GPL-3.0-or-later
// One change to a document, made and taken back through the document it belongs to. A document
// hands out its changes as commands instead of changing itself, so that every edit can be undone
// and redone, and the window's history (its "modified" state included) has a single source.
//
// A command is built before it is done: whoever keeps the history calls redo() once to make the
// change, then undo() and redo() alternately. Neither throws: a document checks an edit when it
// builds the command, so a command that exists can always be made and taken back.
#pragma once

#include <string>

namespace tarn {

class EditCommand {
public:
    virtual ~EditCommand() = default;

    // What the user did, as the Edit menu names it: "Replace All (412 texts)".
    virtual std::string name() const = 0;
    virtual void redo() = 0;
    virtual void undo() = 0;
    // True when, done, the command leaves the document as it found it: typing that came back
    // to the text it began with. Such a step is no change worth an undo.
    virtual bool changesNothing() const { return false; }
};

}  // namespace tarn
