// The main window's code page: chosen by the main font's character set, it decides which
// character every game byte is in every window. Texts stay bytes; only their display changes.
#include <QAbstractItemDelegate>
#include <QLineEdit>

#include "app/main/find_and_preview.h"
#include "app/main/grid_model.h"
#include "app/main/main_window.h"
#include "app/main/text_grid_view.h"
#include "app/objects/object_texts_window.h"

namespace tarn {

void MainWindow::setFontCharset(int charset) {
    fontCharset_ = fontCharsetOrDefault(charset);
    const CharsetChoice choice = codePageForCharset(fontCharset_);
    codePageNote_ =
        choice.fellBack ? QString::fromStdString(fallbackMessage(fontCharset_)) : QString();
    if (!(choice.codePage == codePage_)) {
        const CodePage before = codePage_;
        codePage_ = choice.codePage;
        QLineEdit* editor = cellEditor();
        // One character per byte in every page: the caret and selection stay where they are.
        const int cursor = editor != nullptr ? editor->cursorPosition() : 0;
        const int selectionStart = editor != nullptr ? editor->selectionStart() : -1;
        const int selectionLength = editor != nullptr ? editor->selectionLength() : 0;
        model_->refreshAll();
        if (editor != nullptr) {
            textGrid_->itemDelegate()->setEditorData(editor, textGrid_->currentIndex());
            if (selectionLength > 0) {
                editor->setSelection(selectionStart, selectionLength);
            } else {
                editor->setCursorPosition(cursor);
            }
        }
        findAndPreview_->showInCodePage(before, codePage_);
        objectTextsWindow_->setCodePage(codePage_);
        refreshBudgetAndChecks();  // the checks read the bytes' characters in the new page
    }
    showCodePageNote();
}

void MainWindow::showCodePageNote() {
    if (startingUp_ || codePageNote_.isEmpty()) {
        return;
    }
    showStatus(codePageNote_);
    codePageNote_.clear();
}

void MainWindow::reportMissingCharacter(char32_t character) {
    showStatus(QString::fromStdString(missingCharacterMessage(character, codePage_)));
}

}  // namespace tarn
