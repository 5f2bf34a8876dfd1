// SPDX-License-Identifier: GPL-3.0-or-later
// Refuses, in a line edit, every character that the game could not store as typed: a character
// the active code page lacks, or one whose byte the game reads as a value or colour code. The
// edit keeps what it had, the program beeps and the owner is told why, so that nothing is ever
// replaced silently and no letter ever turns into a code.
//
// Only the characters being typed or pasted are looked at: code bytes that a text already holds
// (a raw text's %l) stay editable, and undoing back to a text the field held is always taken.
#pragma once

#include <QSet>
#include <QString>
#include <QValidator>
#include <functional>

#include "common/code_page.h"
#include "textcodes/typed_codes.h"

class QLineEdit;

namespace tarn {

// What a field's text is checked against. Each is asked at every change, since the window's
// code page, character table and notation may change while the field lives.
struct FieldText {
    // The field's text as game bytes, through the window's page and character table.
    std::function<EncodeResult(const QString&)> encode;
    std::function<CodePage()> codePage;  // names characters and bytes in the messages
    std::function<Notation()> notation;  // how the field writes codes
};

// A further rule of one field over each typed change: why the change from held to input (the
// cursor at position after it) is refused, or an empty text when it is taken.
using ChangeRule =
    std::function<QString(const QString& held, const QString& input, qsizetype position)>;

class CodePageValidator : public QValidator {
public:
    CodePageValidator(QLineEdit& edit, FieldText field, ChangeRule rule = {});
    State validate(QString& input, int& position) const override;

    // Why the last text was refused; empty for a text that is not even well-formed.
    const QString& lastRefusal() const { return lastRefusal_; }

private:
    // The characters of input that are not in the text the field held before this change.
    QString insertedPart(const QString& input) const;
    State refuse(QString reason) const;

    QLineEdit& edit_;
    FieldText field_;
    ChangeRule rule_;
    mutable QString held_;           // the text before the change being validated
    mutable QSet<QString> earlier_;  // every text taken since the field was last set
    mutable QString lastRefusal_;
};

// Installs a CodePageValidator on the edit. Every refused input beeps and calls refused with the
// status-bar message (empty when the text itself was malformed).
void refuseUnstorableCharacters(QLineEdit& edit, FieldText field,
                                std::function<void(const QString& message)> refused,
                                ChangeRule rule = {});

}  // namespace tarn
