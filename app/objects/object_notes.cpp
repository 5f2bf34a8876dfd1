// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_notes.h"

#include "app/objects/object_group_page.h"
#include "app/objects/object_texts_session.h"
#include "app/widgets/session_notes.h"
#include "app/widgets/text_notes_panel.h"
#include "exchange/object_po.h"

namespace tarn {

ObjectNotes::ObjectNotes(ObjectTextsSession& session, ObjectGroupPage& page)
    : QObject(&page), session_(session), notes_(new SessionNotes(session)) {
    panel_ = new TextNotesPanel(*notes_, session, &page);
    page.addBelowGrid(panel_);
    // The notes belong to the session and live as long as it.
    session.setNotesDiffer([notes = notes_] { return notes->differFromFile(); });
    connect(&session, &GameTextsSession::loaded, this, [this] { notes_->open(notesPath()); });
    connect(&session, &GameTextsSession::saved, this, [this] { notes_->keep(notesPath()); });
    // Showing another group is announced as a change of every text.
    connect(&session, &GameTextsSession::textsChanged, this, &ObjectNotes::followShownGroup);
    panel_->showNoteOf({});
}

std::filesystem::path ObjectNotes::notesPath() const {
    const std::filesystem::path& folder = session_.document().folder();
    return folder.empty() ? std::filesystem::path() : notesPathFor(folder);
}

void ObjectNotes::followShownGroup() {
    const ObjectGroupRows& rows = session_.groupRows();
    const auto& files = session_.document().files();
    std::string key;
    if (rows.group() >= 0 && rows.file() >= 0 && static_cast<std::size_t>(rows.file()) < files.size()) {
        key = objectContext(files[static_cast<std::size_t>(rows.file())].fileName,
                         static_cast<std::size_t>(rows.group()) + 1);
    }
    if (key != shownKey_) {
        shownKey_ = key;
        panel_->showNoteOf(key);
    }
}

}  // namespace tarn
