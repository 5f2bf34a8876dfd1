// SPDX-License-Identifier: GPL-3.0-or-later
// A grid for the find and replace tests: fake cells with cell rectangles on a plain widget, a
// record of the cell moves asked for and of the replace runs that changed something.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/find/replace_run_cells.h"
#include "app/widgets/test_support/fake_text_cells.h"

namespace tarn::testing {

class FakeRunCells : public FakeTextCells, public ReplaceRunCells {
public:
    static constexpr int CellWidth = 120;
    static constexpr int CellHeight = 18;

    explicit FakeRunCells(int rows) : FakeTextCells(rows), viewport_(std::make_unique<QWidget>()) {
        viewport_->resize(4 * CellWidth, 40 * CellHeight);
    }

    std::vector<std::string> steps;          // the actions of the changes that changed something
    std::vector<std::pair<int, int>> moves;  // every cell move asked for (row, column)

    int rowCount() const override { return rows(); }
    bool selectCell(int row, int column) override {
        moves.emplace_back(row, column);
        if (!checkCurrentCell() || column == 3) {
            return false;
        }
        closeCellEditor();
        setCurrent(row, column);
        return true;
    }
    void setCellText(int row, int column, const std::string& text) override {
        if (!inChange_) {
            FakeTextCells::setCellText(row, column, text);
            return;
        }
        set(row, column, text);
        changed_ = true;
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

    QRect cellRect(int row, int column) const override {
        return QRect(column * CellWidth, (row % 40) * CellHeight, CellWidth, CellHeight);
    }
    QWidget* overlayParent() const override { return viewport_.get(); }

private:
    bool inChange_ = false;
    bool changed_ = false;
    std::unique_ptr<QWidget> viewport_;
};

}  // namespace tarn::testing
