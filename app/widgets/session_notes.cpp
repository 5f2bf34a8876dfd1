// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/session_notes.h"

#include <QUndoCommand>
#include <exception>

#include "app/widgets/game_texts_session.h"
#include "app/widgets/prompter.h"

namespace tarn {

// One text's note changed: the note before and after. Further typing in the same note, the
// review mark left as it was, joins the step.
class NoteStep : public QUndoCommand {
public:
    NoteStep(SessionNotes& notes, std::string key, TextNote before, TextNote after)
        : QUndoCommand(QStringLiteral("Edit note")),
          notes_(notes),
          key_(std::move(key)),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void redo() override { notes_.put(key_, after_); }
    void undo() override { notes_.put(key_, before_); }
    int id() const override { return kNoteTyping; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const NoteStep*>(other);
        if (next->key_ != key_ || next->after_.needsReview != after_.needsReview ||
            before_.needsReview != after_.needsReview) {
            return false;
        }
        after_ = next->after_;
        return true;
    }

private:
    static constexpr int kNoteTyping = 0x4E6F7465;  // "Note"
    SessionNotes& notes_;
    std::string key_;
    TextNote before_;
    TextNote after_;
};

// Every note at once, as an import gives them.
class AllNotesStep : public QUndoCommand {
public:
    AllNotesStep(SessionNotes& notes, TranslationNotes before, TranslationNotes after)
        : QUndoCommand(QStringLiteral("Import notes")),
          notes_(notes),
          before_(std::move(before)),
          after_(std::move(after)) {}
    void redo() override { notes_.putAll(after_); }
    void undo() override { notes_.putAll(before_); }

private:
    SessionNotes& notes_;
    TranslationNotes before_;
    TranslationNotes after_;
};

SessionNotes::SessionNotes(GameTextsSession& session) : QObject(&session), session_(session) {}

TextNote SessionNotes::note(const std::string& key) const {
    const auto found = notes_.texts.find(key);
    return found != notes_.texts.end() ? found->second : TextNote();
}

bool SessionNotes::setNote(const std::string& key, TextNote note) {
    if (session_.isReadOnly()) {
        emit session_.changeRefused();
        return false;
    }
    TextNote before = this->note(key);
    if (before == note) {
        return false;
    }
    session_.endCellEdit();
    session_.stack().push(new NoteStep(*this, key, std::move(before), std::move(note)));
    return true;
}

bool SessionNotes::replaceAll(TranslationNotes notes) {
    if (session_.isReadOnly()) {
        emit session_.changeRefused();
        return false;
    }
    if (notes == notes_) {
        return false;
    }
    session_.endCellEdit();
    session_.stack().push(new AllNotesStep(*this, notes_, std::move(notes)));
    return true;
}

void SessionNotes::load(const std::filesystem::path& path) {
    notes_ = readTranslationNotes(path);
    onDisk_ = notes_;
    emit noteChanged({});
}

void SessionNotes::save(const std::filesystem::path& path) {
    writeTranslationNotes(path, notes_);
    onDisk_ = notes_;
}

void SessionNotes::open(const std::filesystem::path& path) {
    unreadable_.clear();
    try {
        load(path);
    } catch (const std::exception& e) {
        load({});
        unreadable_ = QString::fromStdString(e.what());
        showExceptionMessage(unreadable_);
    }
}

void SessionNotes::keep(const std::filesystem::path& path) {
    if (path.empty() || !differFromFile()) {
        return;
    }
    if (!unreadable_.isEmpty()) {
        showExceptionMessage(QStringLiteral("The notes were not saved: %1").arg(unreadable_));
        return;
    }
    try {
        save(path);
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

void SessionNotes::putAll(const TranslationNotes& notes) {
    notes_ = notes;
    emit noteChanged({});
}

void SessionNotes::put(const std::string& key, const TextNote& note) {
    if (note.empty()) {
        notes_.texts.erase(key);
    } else {
        notes_.texts[key] = note;
    }
    emit noteChanged(key);
}

}  // namespace tarn
