// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/code_data_editing.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "textcodes/code_data_spans.h"

namespace tarn {

namespace {

// The spans of a field's text, in its characters' positions; none when the text's bytes do not
// stand one for one with its characters.
std::vector<CodeDataSpan> shownSpans(const QString& text, const FieldText& field) {
    const EncodeResult bytes = field.encode(text);
    if (!bytes.ok() || bytes.bytes.size() != static_cast<std::size_t>(text.size())) {
        return {};
    }
    return codeDataSpans(bytes.bytes, field.notation());
}

}  // namespace

ChangeRule keepCodeDataWhole(FieldText field) {
    return
        [field = std::move(field)](const QString& held, const QString& input, qsizetype position) {
            const std::vector<CodeDataSpan> spans = shownSpans(held, field);
            if (spans.empty()) {
                return QString();
            }
            // The changed part: the common end is taken no further than the cursor, which stands
            // after what was typed, so that a letter typed among equal letters is placed right.
            const qsizetype shorter = std::min(held.size(), input.size());
            qsizetype suffix = 0;
            const qsizetype suffixLimit = std::min(shorter, input.size() - position);
            while (suffix < suffixLimit &&
                   held[held.size() - 1 - suffix] == input[input.size() - 1 - suffix]) {
                ++suffix;
            }
            qsizetype prefix = 0;
            while (prefix < shorter - suffix && held[prefix] == input[prefix]) {
                ++prefix;
            }
            const auto from = static_cast<std::size_t>(prefix);
            const auto to = static_cast<std::size_t>(held.size() - suffix);
            const bool inserts = input.size() - suffix > prefix;
            const CodeDataSpan* broken = brokenSpan(spans, from, to, inserts);
            return broken != nullptr ? QString::fromStdString(codeDataMessage(*broken)) : QString();
        };
}

bool removeCodeWithItsData(QLineEdit& editor, const QKeyEvent& key, const FieldText& field) {
    const bool backspace = key.key() == Qt::Key_Backspace;
    if ((!backspace && key.key() != Qt::Key_Delete) ||
        (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    const std::vector<CodeDataSpan> spans = shownSpans(editor.text(), field);
    if (spans.empty()) {
        return false;
    }
    std::size_t from = 0;
    std::size_t to = 0;
    if (editor.hasSelectedText()) {
        from = static_cast<std::size_t>(editor.selectionStart());
        to = from + static_cast<std::size_t>(editor.selectedText().size());
    } else {
        const auto cursor = static_cast<std::size_t>(editor.cursorPosition());
        from = backspace ? cursor - std::min<std::size_t>(cursor, 1) : cursor;
        to = backspace ? cursor
                       : std::min(cursor + 1, static_cast<std::size_t>(editor.text().size()));
    }
    const TextRange whole = widenedRemoval(spans, from, to);
    if (from == to || (whole.from == from && whole.to == to)) {
        return false;  // the key's own removal keeps every code whole
    }
    editor.setSelection(static_cast<int>(whole.from), static_cast<int>(whole.to - whole.from));
    editor.del();
    return true;
}

}  // namespace tarn
