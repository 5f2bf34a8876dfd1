// SPDX-License-Identifier: GPL-3.0-or-later
// Underlines, with a red wavy line, the words of a cell editor's text that the spelling
// dictionary does not know. Only the editor's own text is checked, each time it changes, so
// typing never waits for the other texts. Words are taken between the codes (textWords), so
// value and colour codes and pictures never count.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "textcodes/cstyle.h"

class QLineEdit;

namespace tarn {

class CodePage;
class SpellChecker;

class SpellingHighlighter : public QObject {
    Q_OBJECT
public:
    struct Word {
        int start;  // in the editor's text
        int length;
        QString word;
    };
    // The checker in force, or nullptr when no spelling language is chosen.
    using CheckerSource = std::function<const SpellChecker*()>;

    // Watches editor (and dies with it), whose text is in the given notation.
    SpellingHighlighter(QLineEdit& editor, const CodePage& codePage, Notation notation,
                        CheckerSource checker);

    const std::vector<Word>& unknownWords() const { return unknown_; }
    // The unknown word at a position of the editor's text, or nullptr.
    const Word* wordAt(int position) const;
    // Checks the editor's text again (a language chosen, a word added).
    void rehighlight();

private:
    QLineEdit& editor_;
    const CodePage& codePage_;
    Notation notation_;
    CheckerSource checker_;
    std::vector<Word> unknown_;
};

// The words of an editor's text: its characters as game bytes, and in C-style notation the
// escapes (\n, \c4, \x1F, \p00000001, %N, ...) set aside like the codes they stand for.
struct EditorWord {
    int start;
    int length;
    std::string word;  // UTF-8
};
std::vector<EditorWord> editorWords(const QString& text, const CodePage& codePage,
                                    Notation notation);

}  // namespace tarn
