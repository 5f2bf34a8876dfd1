// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/window_font.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>

#include "app/main/font_dialog.h"
#include "app/main/status_line.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/prompter.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

WindowFont::WindowFont(WindowParts& parts, CodePage& codePage, QObject* parent)
    : QObject(parent), parts_(parts), codePage_(codePage), font_(QApplication::font()) {}

void WindowFont::applyFont(const QFont& font) {
    font_ = font;
    QApplication::setFont(font);  // windows created later
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->setFont(font);
    }
    parts_.grid.verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
}

void WindowFont::setCharset(int charset) {
    charset_ = fontCharsetOrDefault(charset);
    const CharsetChoice choice = codePageForCharset(charset_);
    QString note = choice.fellBack ? QString::fromStdString(fallbackMessage(charset_)) : QString();
    const CodePage page = layer_ ? layer_(choice.codePage, note) : choice.codePage;
    if (!(page == codePage_)) {
        const CodePage before = codePage_;
        codePage_ = page;
        showInGrid(before);
    }
    parts_.status.setNote(note);
}

void WindowFont::showInGrid(const CodePage& before) {
    QLineEdit* editor = parts_.grid.cellEditor();
    // One character per byte in every page: the caret and selection stay where they are.
    const int cursor = editor != nullptr ? editor->cursorPosition() : 0;
    const int selectionStart = editor != nullptr ? editor->selectionStart() : -1;
    const int selectionLength = editor != nullptr ? editor->selectionLength() : 0;
    emit codePageChanged(before);  // the grid's model, subscribed first, shows every text anew
    if (editor != nullptr) {
        parts_.grid.itemDelegate()->setEditorData(editor, parts_.grid.currentIndex());
        if (selectionLength > 0) {
            editor->setSelection(selectionStart, selectionLength);
        } else {
            editor->setCursorPosition(cursor);
        }
    }
}

void WindowFont::choose() {
    FontDialog dialog(font_, charset_, &parts_.window);
    if (prompter().runModal(dialog) == QDialog::Accepted) {
        applyFont(dialog.selectedFont());
        setCharset(dialog.charset());
    }
}

}  // namespace tarn
