#include "app/main/main_window_grid.h"

#include <QLineEdit>

#include "app/main/grid_text.h"
#include "app/main/main_window.h"
#include "app/main/texts_history.h"

namespace tarn {
namespace {

bool isTextCell(int row, int column) {
    return row >= 1 && row <= StringTableDocument::kRows &&
           column >= StringTableDocument::OriginalColumn &&
           column <= StringTableDocument::ShortColumn;
}

}  // namespace

int MainWindowGrid::rowCount() const {
    return StringTableDocument::kRows;
}

int MainWindowGrid::currentRow() const {
    return window_.currentRow();
}

int MainWindowGrid::currentColumn() const {
    return window_.currentColumn();
}

bool MainWindowGrid::selectCell(int row, int column) {
    return window_.selectCell(row, column);
}

std::string MainWindowGrid::cellText(int row, int column) const {
    return isTextCell(row, column) ? window_.document().notationText(row, column) : std::string();
}

void MainWindowGrid::setCellText(int row, int column, const std::string& text) {
    if (isTextCell(row, column) && column != StringTableDocument::ShortColumn) {
        window_.setCellText(row, column, text);
    }
}

void MainWindowGrid::beginChange() {
    window_.history().beginChange();
}

void MainWindowGrid::endChange(const std::string& action) {
    window_.history().endChange(action);
}

std::string MainWindowGrid::undoText() const {
    return window_.undoText();
}

bool MainWindowGrid::cStyle() const {
    return window_.isCStyle();
}

bool MainWindowGrid::checkCurrentCell() {
    return window_.checkCurrentCell();
}

std::optional<CellEditorState> MainWindowGrid::cellEditorState() const {
    const QLineEdit* editor = window_.cellEditor();
    if (editor == nullptr) {
        return std::nullopt;
    }
    CellEditorState state;
    state.text = displayToGameBytes(editor->text(), window_.codePage()).bytes;
    state.selectionStart =
        editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
    state.selectionLength = editor->hasSelectedText() ? editor->selectionLength() : 0;
    return state;
}

void MainWindowGrid::closeCellEditor() {
    window_.closeCellEditor();
}

void MainWindowGrid::openCellEditor() {
    window_.openCellEditor();
}

void MainWindowGrid::setCellEditorSelection(int start, int length) {
    QLineEdit* editor = window_.cellEditor();
    if (editor == nullptr) {
        return;
    }
    if (length > 0) {
        editor->setSelection(start, length);
    } else {
        editor->setCursorPosition(start);
    }
}

QRect MainWindowGrid::cellRect(int row, int column) const {
    return window_.cellRect(row, column);
}

QWidget* MainWindowGrid::overlayParent() const {
    return window_.gridViewport();
}

CodePage MainWindowGrid::codePage() const {
    return window_.codePage();
}

QString MainWindowGrid::displayText(const std::string& bytes) const {
    return gameBytesToDisplay(bytes, window_.codePage());
}

EncodeResult MainWindowGrid::bytesFromDisplay(const QString& text) const {
    return displayToGameBytes(text, window_.codePage());
}

void MainWindowGrid::reportMissingCharacter(char32_t character) {
    window_.reportMissingCharacter(character);
}

}  // namespace tarn
