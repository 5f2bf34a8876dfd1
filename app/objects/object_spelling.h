// SPDX-License-Identifier: GPL-3.0-or-later
// Spelling in the object texts window with the main window's dictionary: the wavy underline of
// unknown words in the grid's cell editor, and the spelling findings its checks add, worded as
// the main window's. Without a spelling language nothing is underlined or found.
#pragma once

#include <QObject>
#include <vector>

#include "app/widgets/spelling_highlighter.h"
#include "objfiles/object_texts_check.h"
#include "textcodes/translation_checks.h"

namespace tarn {

class CodePage;
class ObjectGroupRows;
class TextGridView;

class ObjectSpelling : public QObject {
    Q_OBJECT
public:
    // All of these outlive the spelling.
    ObjectSpelling(TextGridView& grid, const ObjectGroupRows& rows, const CodePage& codePage,
                   QObject* parent);

    // Where the checker in force comes from; it may change whenever wordsChanged is called.
    void setChecker(SpellingHighlighter::CheckerSource checker);
    // The words the checker knows changed (another language, a word added): the open editor is
    // underlined anew and the checks run again.
    void wordsChanged();
    // The targets' unknown words, by pair (a finding's text is its pair's index + 1); a target
    // equal to its source is still in the source's language and is not checked.
    std::vector<TextFinding> findings(const std::vector<ObjectTextPair>& pairs) const;

signals:
    void findingsOutdated();

private:
    const SpellChecker* checker() const { return checker_ ? checker_() : nullptr; }

    TextGridView& grid_;
    const CodePage& codePage_;
    SpellingHighlighter::CheckerSource checker_;
};

}  // namespace tarn
