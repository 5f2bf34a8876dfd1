// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/text_notes_panel.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/widgets/game_texts_session.h"
#include "app/widgets/session_notes.h"

namespace tarn {

namespace {

QString noteText(const TextNote& note) {
    QStringList lines;
    for (const std::string& line : note.lines) {
        lines << QString::fromStdString(line);
    }
    return lines.join(QLatin1Char('\n'));
}

std::vector<std::string> noteLines(const QString& text) {
    std::vector<std::string> lines;
    if (!text.isEmpty()) {
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            lines.push_back(line.toStdString());
        }
    }
    return lines;
}

}  // namespace

TextNotesPanel::TextNotesPanel(SessionNotes& notes, GameTextsSession& session, QWidget* parent)
    : QWidget(parent),
      notes_(notes),
      session_(session),
      edit_(new QPlainTextEdit(this)),
      review_(new QCheckBox(QStringLiteral("Needs review"), this)) {
    setObjectName(QStringLiteral("textNotesPanel"));
    edit_->setObjectName(QStringLiteral("noteEdit"));
    edit_->setPlaceholderText(QStringLiteral("Note on this text for the team"));
    edit_->setTabChangesFocus(true);
    review_->setObjectName(QStringLiteral("needsReviewBox"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
    layout->addWidget(review_);
    connect(edit_, &QPlainTextEdit::textChanged, this, &TextNotesPanel::takeEdit);
    connect(review_, &QCheckBox::toggled, this, &TextNotesPanel::takeEdit);
    connect(&notes, &SessionNotes::noteChanged, this, [this](const std::string& key) {
        if (key.empty() || key == key_) {
            showNote();
        }
    });
    connect(&session, &GameTextsSession::readOnlyChanged, this, &TextNotesPanel::showNote);
    showNote();
}

void TextNotesPanel::showNoteOf(const std::string& key) {
    key_ = key;
    showNote();
}

void TextNotesPanel::showNote() {
    const bool editable = !key_.empty() && !session_.isReadOnly();
    edit_->setReadOnly(!editable);
    review_->setEnabled(editable);
    const TextNote note = key_.empty() ? TextNote() : notes_.note(key_);
    showing_ = true;
    // The text being typed keeps its cursor: only a different note is set.
    if (const QString text = noteText(note); edit_->toPlainText() != text) {
        edit_->setPlainText(text);
    }
    review_->setChecked(note.needsReview);
    showing_ = false;
}

void TextNotesPanel::takeEdit() {
    if (showing_ || key_.empty()) {
        return;
    }
    if (!notes_.setNote(key_, {noteLines(edit_->toPlainText()), review_->isChecked()})) {
        showNote();  // refused (read-only) or nothing changed: show what the notes hold
    }
}

}  // namespace tarn
