// SPDX-License-Identifier: GPL-3.0-or-later
// A grid for window tests: texts in memory, an optional open cell editor, cell rectangles on a
// plain widget, and a record of the cell moves asked for.
#pragma once

#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/preview/text_grid.h"
#include "common/code_page.h"

namespace tarn::testing {

class FakeTextGrid : public TextGrid {
public:
    static constexpr int CellWidth = 120;
    static constexpr int CellHeight = 18;

    explicit FakeTextGrid(int rows) : texts_(rows), viewport_(std::make_unique<QWidget>()) {
        viewport_->resize(4 * CellWidth, 40 * CellHeight);
    }

    void set(int row, int column, std::string text) { texts_.at(row - 1)[column - 1] = text; }
    const std::string& text(int row, int column) const { return texts_.at(row - 1)[column - 1]; }
    void setCurrent(int row, int column) { row_ = row, column_ = column; }
    void setCStyle(bool on) { cStyle_ = on; }
    void setUndoText(std::string text) { undo_ = std::move(text); }
    void openEditorWith(std::string text, int start, int length) {
        editor_ = CellEditorState{std::move(text), start, length};
    }
    // When set, every cell move asks this first (the grid's CheckCurrentCell).
    std::function<bool()> checkCell;

    bool modified = false;
    std::vector<std::string> steps;          // the actions of the changes that changed something
    std::vector<std::pair<int, int>> moves;  // every cell move asked for (row, column)
    int editorClosings = 0;

    int rowCount() const override { return static_cast<int>(texts_.size()); }
    int currentRow() const override { return row_; }
    int currentColumn() const override { return column_; }
    bool selectCell(int row, int column) override {
        moves.emplace_back(row, column);
        if (!checkCurrentCell() || column == 3) {
            return false;
        }
        closeCellEditor();
        row_ = row;
        column_ = column;
        return true;
    }
    std::string cellText(int row, int column) const override { return text(row, column); }
    void setCellText(int row, int column, const std::string& text) override {
        set(row, column, text);
        if (inChange_) {
            changed_ = true;
        } else if (column == 2) {
            modified = true;
        }
    }
    void beginChange() override {
        inChange_ = true;
        changed_ = false;
    }
    void endChange(const std::string& action) override {
        inChange_ = false;
        if (changed_) {
            steps.push_back(action);
            modified = true;
        }
    }
    std::string undoText() const override { return undo_; }
    bool cStyle() const override { return cStyle_; }
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

    QRect cellRect(int row, int column) const override {
        return QRect(column * CellWidth, (row % 40) * CellHeight, CellWidth, CellHeight);
    }
    QWidget* overlayParent() const override { return viewport_.get(); }
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

private:
    std::vector<std::array<std::string, 2>> texts_;
    int row_ = 1;
    int column_ = 1;
    bool cStyle_ = false;
    bool inChange_ = false;
    bool changed_ = false;
    std::string undo_;
    std::optional<CellEditorState> editor_;
    std::unique_ptr<QWidget> viewport_;
    CodePage codePage_;
};

}  // namespace tarn::testing
