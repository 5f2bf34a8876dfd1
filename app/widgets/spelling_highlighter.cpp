// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/spelling_highlighter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTextCharFormat>
#include <QTimer>
#include <algorithm>

#include "app/widgets/display_text.h"
#include "spelling/spell_checker.h"
#include "spelling/text_words.h"

namespace tarn {

namespace {

// How many characters after the escape character each C-style escape takes.
std::size_t escapeLength(std::string_view text, std::size_t at) {
    const char kind = at + 1 < text.size() ? text[at + 1] : '\0';
    if (text[at] == '%') {
        return 2;
    }
    switch (kind) {
        case 'x':
            return 4;
        case 'c':
            return 3;
        case 'p':
            return 10;
        default:
            return 2;
    }
}

}  // namespace

std::vector<EditorWord> editorWords(const QString& text, const CodePage& codePage,
                                    Notation notation) {
    const EncodeResult encoded = displayToGameBytes(text, codePage);
    if (!encoded.ok() || encoded.bytes.size() != static_cast<std::size_t>(text.size())) {
        return {};  // not one byte a character: nothing to place words on
    }
    std::string bytes = encoded.bytes;
    if (notation == Notation::CStyle) {
        // An escape's letters are no word's letters: blanks in their place keep the positions.
        for (std::size_t i = 0; i < bytes.size();) {
            if (bytes[i] == '\\' || bytes[i] == '%') {
                const std::size_t end = std::min(bytes.size(), i + escapeLength(bytes, i));
                std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                          bytes.begin() + static_cast<std::ptrdiff_t>(end), ' ');
                i = end;
            } else {
                ++i;
            }
        }
    }
    std::vector<EditorWord> words;
    for (TextWord& word : textWords(bytes, codePage)) {
        words.push_back(
            {static_cast<int>(word.offset), static_cast<int>(word.length), std::move(word.word)});
    }
    return words;
}

SpellingHighlighter::SpellingHighlighter(QLineEdit& editor, const CodePage& codePage,
                                         Notation notation, CheckerSource checker)
    : QObject(&editor),
      editor_(editor),
      codePage_(codePage),
      notation_(notation),
      checker_(std::move(checker)) {
    setObjectName(QStringLiteral("spellingHighlighter"));
    connect(&editor, &QLineEdit::textChanged, this, &SpellingHighlighter::rehighlight);
    // The editor is given its text after it is made, with its signals blocked.
    QTimer::singleShot(0, this, &SpellingHighlighter::rehighlight);
}

const SpellingHighlighter::Word* SpellingHighlighter::wordAt(int position) const {
    for (const Word& word : unknown_) {
        if (position >= word.start && position <= word.start + word.length) {
            return &word;
        }
    }
    return nullptr;
}

void SpellingHighlighter::rehighlight() {
    unknown_.clear();
    if (const SpellChecker* checker = checker_()) {
        for (const EditorWord& word : editorWords(editor_.text(), codePage_, notation_)) {
            if (!checker->isKnown(word.word)) {
                unknown_.push_back({word.start, word.length, QString::fromStdString(word.word)});
            }
        }
    }
    // A line edit draws extra formats only as an input method's: their places count from the
    // cursor. No text is committed, so the text and its undo stay as they are.
    QTextCharFormat wavy;
    wavy.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    wavy.setUnderlineColor(Qt::red);
    QList<QInputMethodEvent::Attribute> formats;
    const int cursor = editor_.cursorPosition();
    for (const Word& word : unknown_) {
        formats.append({QInputMethodEvent::TextFormat, word.start - cursor, word.length,
                        static_cast<QVariant>(wavy)});
    }
    QInputMethodEvent event(QString(), formats);
    QCoreApplication::sendEvent(&editor_, &event);
}

}  // namespace tarn
