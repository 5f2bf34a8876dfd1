#include "editor/main_window_grid.h"

#include <QLineEdit>

#include "editor/grid_model.h"
#include "editor/grid_text.h"
#include "editor/string_grid.h"
#include "editor/tfo_form.h"

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
    return form_.currentRow();
}

int MainWindowGrid::currentColumn() const {
    return form_.currentColumn();
}

bool MainWindowGrid::selectCell(int row, int column) {
    return form_.selectCell(row, column);
}

std::string MainWindowGrid::cellText(int row, int column) const {
    return isTextCell(row, column) ? form_.document().cell(row, column) : std::string();
}

void MainWindowGrid::setCellText(int row, int column, const std::string& text) {
    if (isTextCell(row, column)) {
        form_.setCellText(row, column, text);
    }
}

void MainWindowGrid::setModified() {
    form_.setModified(true);
}

std::string MainWindowGrid::undoText() const {
    return form_.UndoText();
}

bool MainWindowGrid::cStyle() const {
    return form_.isCStyle();
}

bool MainWindowGrid::checkCurrentCell() {
    return form_.CheckCurrentCell();
}

std::optional<CellEditorState> MainWindowGrid::cellEditorState() const {
    const QLineEdit* editor = form_.cellEditor();
    if (editor == nullptr) {
        return std::nullopt;
    }
    CellEditorState state;
    state.text = displayToGameBytes(editor->text()).value_or(std::string());
    state.selectionStart =
        editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
    state.selectionLength = editor->hasSelectedText() ? editor->selectionLength() : 0;
    return state;
}

void MainWindowGrid::closeCellEditor() {
    form_.StringGrid1->closeCellEditor();
}

void MainWindowGrid::openCellEditor() {
    QAbstractItemView& view = *form_.StringGrid1;
    view.edit(view.currentIndex());
}

void MainWindowGrid::setCellEditorSelection(int start, int length) {
    QLineEdit* editor = form_.cellEditor();
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
    return form_.cellRect(row, column);
}

QWidget* MainWindowGrid::overlayParent() const {
    return form_.StringGrid1->viewport();
}

QString MainWindowGrid::displayText(const std::string& bytes) const {
    return gameBytesToDisplay(bytes);
}

std::optional<std::string> MainWindowGrid::bytesFromDisplay(const QString& text) const {
    return displayToGameBytes(text);
}

}  // namespace tarn
