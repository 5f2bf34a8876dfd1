// SPDX-License-Identifier: GPL-3.0-or-later
// A translation's notes held by a window's session: edits are steps of its history, marking the
// translation modified, and the notes file is read and written whole.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "app/main/tarn_edit_application.h"
#include "app/main/texts_session.h"
#include "app/widgets/session_notes.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/test_application.h"
#include "app/widgets/text_notes_panel.h"
#include "common/tests/temp_dir.h"

namespace tarn {
namespace {

TEST(SessionNotes, EditsAreStepsOfTheSessionAndTheFileIsReadAndWrittenWhole) {
    testApplication<TarnEditApplication>();  // the class the program's other tests need
    TextsSession session;
    SessionNotes notes(session);
    QSignalSpy changed(&notes, &SessionNotes::noteChanged);

    // Typing in one note is one step; the review mark is a step of its own.
    EXPECT_TRUE(notes.setNote("exe/0042", {{"gate"}, false}));
    EXPECT_TRUE(notes.setNote("exe/0042", {{"gate or door?"}, false}));
    EXPECT_EQ(session.stack().count(), 1);
    EXPECT_TRUE(notes.setNote("exe/0042", {{"gate or door?"}, true}));
    EXPECT_EQ(session.stack().count(), 2);
    EXPECT_FALSE(notes.setNote("exe/0042", {{"gate or door?"}, true}));  // nothing changes
    EXPECT_TRUE(session.isModified());
    EXPECT_TRUE(notes.differFromFile());
    ASSERT_EQ(changed.size(), 3);
    EXPECT_EQ(changed.back().front().value<std::string>(), "exe/0042");

    session.undo();
    EXPECT_EQ(notes.note("exe/0042"), (TextNote{{"gate or door?"}, false}));
    session.undo();
    EXPECT_TRUE(notes.notes().texts.empty());  // an empty note is no entry
    EXPECT_FALSE(session.isModified());
    session.redo();
    session.redo();
    EXPECT_EQ(notes.note("exe/0042"), (TextNote{{"gate or door?"}, true}));

    // Read-only: refused, nothing changes.
    QSignalSpy refused(&session, &GameTextsSession::changeRefused);
    session.setReadOnly(true);
    EXPECT_FALSE(notes.setNote("exe/0001", {{"x"}, false}));
    EXPECT_EQ(refused.size(), 1);
    EXPECT_EQ(session.stack().count(), 2);
    session.setReadOnly(false);

    // Saved and loaded again by another session: the same notes, nothing modified.
    TempDir dir;
    const auto path = notesPathFor(dir.path() / "Tarn.exe");
    notes.save(path);
    EXPECT_FALSE(notes.differFromFile());
    TextsSession reopened;
    SessionNotes loaded(reopened);
    loaded.load(path);
    EXPECT_EQ(loaded.notes(), notes.notes());
    EXPECT_FALSE(loaded.differFromFile());
    EXPECT_EQ(reopened.stack().count(), 0);
}

TEST(SessionNotes, ThePanelEditsTheCurrentTextsNoteAndMarkAndShowsUndoneSteps) {
    testApplication<TarnEditApplication>();
    TextsSession session;
    SessionNotes notes(session);
    TextNotesPanel panel(notes, session);
    auto* edit = childByName<QPlainTextEdit>(panel, "noteEdit");
    auto* review = childByName<QCheckBox>(panel, "needsReviewBox");
    EXPECT_TRUE(edit->isReadOnly());  // no text shown yet
    EXPECT_FALSE(review->isEnabled());

    panel.showNoteOf("exe/0007");
    QTest::keyClicks(edit, "town");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "gate");
    review->click();
    EXPECT_EQ(notes.note("exe/0007"), (TextNote{{"town", "gate"}, true}));
    EXPECT_EQ(session.stack().count(), 2);  // the typing, then the mark

    // Another text shows its own note; undone steps show in the panel.
    panel.showNoteOf("exe/0008");
    EXPECT_TRUE(edit->toPlainText().isEmpty());
    EXPECT_FALSE(review->isChecked());
    panel.showNoteOf("exe/0007");
    session.undo();
    EXPECT_FALSE(review->isChecked());
    EXPECT_EQ(edit->toPlainText(), "town\ngate");
    session.undo();
    EXPECT_TRUE(edit->toPlainText().isEmpty());
    EXPECT_FALSE(session.isModified());

    session.setReadOnly(true);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_FALSE(review->isEnabled());
}

}  // namespace
}  // namespace tarn
