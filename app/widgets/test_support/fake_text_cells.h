// SPDX-License-Identifier: GPL-3.0-or-later
// A grid's cells for window tests: texts in memory, the current cell and an optional open cell
// editor.
#pragma once

#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "app/widgets/text_cells.h"
#include "common/code_page.h"

namespace tarn::testing {

class FakeTextCells : public virtual TextCells {
public:
    explicit FakeTextCells(int rows) : texts_(rows) {}

    void set(int row, int column, std::string text) { texts_.at(row - 1)[column - 1] = text; }
    const std::string& text(int row, int column) const { return texts_.at(row - 1)[column - 1]; }
    void setCurrent(int row, int column) { row_ = row, column_ = column; }
    void setNotation(Notation notation) { notation_ = notation; }
    void setUndoText(std::string text) { undo_ = std::move(text); }
    void openEditorWith(std::string text, int start, int length) {
        editor_ = CellEditorState{std::move(text), start, length};
    }
    // When set, every cell move asks this first (the grid's CheckCurrentCell).
    std::function<bool()> checkCell;

    bool modified = false;
    int editorClosings = 0;

    int currentRow() const override { return row_; }
    int currentColumn() const override { return column_; }
    std::string cellText(int row, int column) const override { return text(row, column); }
    void setCellText(int row, int column, const std::string& text) override {
        set(row, column, text);
        modified = modified || column == 2;
    }
    std::string undoText() const override { return undo_; }
    Notation notation() const override { return notation_; }
    bool checkCurrentCell() override { return !checkCell || checkCell(); }

    std::optional<CellEditorState> cellEditorState() const override { return editor_; }
    void closeCellEditor() override {
        if (editor_) {
            ++editorClosings;
        }
        editor_.reset();
    }
    void openCellEditor() override {
        editor_ =
            CellEditorState{text(row_, column_), static_cast<int>(text(row_, column_).size()), 0};
    }
    void setCellEditorSelection(int start, int length) override {
        if (editor_) {
            editor_->selectionStart = start;
            editor_->selectionLength = length;
        }
    }

    void setCodePage(const CodePage& page) { codePage_ = page; }
    CodePage codePage() const override { return codePage_; }
    QString displayText(const std::string& bytes) const override {
        return QString::fromStdString(codePage_.toUtf8(bytes));
    }
    EncodeResult bytesFromDisplay(const QString& text) const override {
        return codePage_.fromUtf8(text.toStdString());
    }
    void reportRefusal(const QString& message) override { refusals.push_back(message); }
    QStringList refusals;  // every refusal reported

protected:
    int rows() const { return static_cast<int>(texts_.size()); }

private:
    std::vector<std::array<std::string, 2>> texts_;
    int row_ = 1;
    int column_ = 1;
    Notation notation_ = Notation::Raw;
    std::string undo_;
    std::optional<CellEditorState> editor_;
    CodePage codePage_;
};

}  // namespace tarn::testing
