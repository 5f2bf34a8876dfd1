// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_spelling.h"

#include <QLineEdit>
#include <string>
#include <utility>

#include "app/widgets/text_grid_view.h"
#include "objfiles/object_group_rows.h"
#include "spelling/spelling_check.h"

namespace tarn {

ObjectSpelling::ObjectSpelling(TextGridView& grid, const ObjectGroupRows& rows,
                               const CodePage& codePage, QObject* parent)
    : QObject(parent), grid_(grid), codePage_(codePage) {
    connect(&grid, &TextGridView::editorOpened, this, [this, &rows](QLineEdit* editor) {
        new SpellingHighlighter(*editor, codePage_, rows.notation(), [this] { return checker(); });
    });
}

void ObjectSpelling::setChecker(SpellingHighlighter::CheckerSource checker) {
    checker_ = std::move(checker);
    wordsChanged();
}

void ObjectSpelling::wordsChanged() {
    if (QLineEdit* editor = grid_.cellEditor()) {
        if (auto* highlighter = editor->findChild<SpellingHighlighter*>()) {
            highlighter->rehighlight();
        }
    }
    emit findingsOutdated();
}

std::vector<TextFinding> ObjectSpelling::findings(const std::vector<ObjectTextPair>& pairs) const {
    const SpellChecker* spelling = checker();
    if (spelling == nullptr) {
        return {};
    }
    std::vector<std::string> sources;
    std::vector<std::string> targets;
    sources.reserve(pairs.size());
    targets.reserve(pairs.size());
    for (const ObjectTextPair& pair : pairs) {
        sources.push_back(pair.source);
        targets.push_back(pair.target);
    }
    return checkSpelling(sources, targets, Notation::Raw, codePage_, *spelling);
}

}  // namespace tarn
