// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_texts_session.h"

#include "app/widgets/typing_step.h"
#include "objfiles/text_tables.h"

namespace tarn {

// One keystroke's change of a text of the shown group.
class ObjectTypingStep : public TypingStep {
public:
    ObjectTypingStep(std::unique_ptr<ObjectTextsEdit> edit, TypingStep* const& live,
                     const ObjectGroupRows& rows, int row, std::string bytes)
        : TypingStep(std::unique_ptr<EditCommand>(edit.get()), {row, 1, rows.file(), rows.group()},
                     live),
          edit_(*edit.release()),
          row_(row),
          bytes_(std::move(bytes)) {}

private:
    void retype(const TypingStep& later) override {
        edit_.retype(static_cast<std::size_t>(row_ - 1),
                     static_cast<const ObjectTypingStep&>(later).bytes_);
    }

    ObjectTextsEdit& edit_;  // owned by UndoCommand
    int row_;
    std::string bytes_;
};

ObjectTextsSession::ObjectTextsSession(QObject* parent)
    : GameTextsSession(parent), rows_(document_) {}

void ObjectTextsSession::startAnew() {
    live_ = nullptr;
    stack_.clear();
    rows_.showGroup(-1, -1);
    updateModified();
    emit loaded();
    announce({});
}

std::vector<Problem> ObjectTextsSession::load(const std::filesystem::path& folder,
                                              const std::vector<std::filesystem::path>& paths,
                                              const LoadProgress& progress) {
    live_ = nullptr;
    stack_.clear();
    rows_.showGroup(-1, -1);
    announce({});  // no view shows a group while the files change
    std::vector<Problem> problems;
    try {
        problems = document_.loadFiles(folder, paths, progress);
    } catch (...) {
        startAnew();
        throw;
    }
    startAnew();
    return problems;
}

void ObjectTextsSession::clear() {
    document_.clear();
    startAnew();
}

void ObjectTextsSession::showGroup(int file, int group) {
    live_ = nullptr;
    rows_.showGroup(file, group);
    announce({});
}

void ObjectTextsSession::setNotation(Notation notation) {
    if (notation == rows_.notation()) {
        return;
    }
    // A C-style text that does not convert is kept as typed, as raw text.
    for (int row = 1; row <= rows_.rowCount(); ++row) {
        const CellText cell = rows_.cellText(row, 1);
        if (!isReadOnly() && cell.asTyped && rows_.cellError(row, 1) &&
            cell.text.find('\0') == std::string::npos) {
            typeBytes(row, cell.text);
        }
    }
    live_ = nullptr;
    rows_.setNotation(notation);
    announce({});
}

bool ObjectTextsSession::push(std::unique_ptr<ObjectTextsEdit> step) {
    if (refusedAsReadOnly()) {
        return false;
    }
    live_ = nullptr;
    pushEdit(stack_, std::move(step));
    rows_.releaseAll();
    updateModified();
    announce({});
    return true;
}

bool ObjectTextsSession::editCell(int row, int /*column*/, CellText value) {
    if (refusedAsReadOnly()) {
        return false;
    }
    const std::optional<std::string> bytes = rows_.bytesOf(value);
    if (value.asTyped) {
        rows_.hold(row, std::move(value.text));
    } else {
        rows_.release(row);
    }
    // A text that does not convert is held, never stored with a character replaced.
    if (bytes) {
        typeBytes(row, *bytes);
    }
    updateModified();
    announce({{row}, true});
    return true;
}

void ObjectTextsSession::typeBytes(int row, std::string bytes) {
    const ObjectTextGroup* group = rows_.shownGroup();
    if (group == nullptr || (*group)[static_cast<std::size_t>(row - 1)].text == bytes) {
        return;
    }
    std::unique_ptr<ObjectTextsEdit> edit;
    try {
        edit = document_.setTextStep(static_cast<std::size_t>(rows_.file()),
                                     static_cast<std::size_t>(rows_.group()),
                                     static_cast<std::size_t>(row - 1), bytes);
    } catch (const TextTableError&) {
        return;  // a zero byte: the editor refuses it before it gets here
    }
    pushTyping(stack_, new ObjectTypingStep(std::move(edit), live_, rows_, row, std::move(bytes)),
               live_);
}

bool ObjectTextsSession::settleCell(int row, int column) {
    const CellText cell = rows_.cellText(row, column);
    if (!cell.asTyped || rows_.cellError(row, column)) {
        return false;
    }
    rows_.release(row);
    announce({{row}, true});
    return true;
}

ObjectSaveReport ObjectTextsSession::saveModified(const ObjectSaveOptions& options,
                                                  const LoadProgress& progress) {
    live_ = nullptr;
    // Files written before a failure are no longer modified either.
    struct Settle {
        ObjectTextsSession& session;
        ~Settle() { session.updateModified(); }
    } settle{*this};
    ObjectSaveReport report = document_.saveModified(options, progress);
    if (report.ok() || !report.written.empty()) {
        emit saved();
    }
    return report;
}

std::vector<std::size_t> ObjectTextsSession::reload(std::size_t file) {
    ReloadMerge merge = document_.mergeReloaded(file);
    takeReloadStep(merge);
    if (!merge.keepsEdits) {
        document_.markReloaded(file);
    }
    rows_.releaseAll();
    updateModified();
    announce({});
    return merge.conflicts;
}

}  // namespace tarn
