// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's table model over the StringTableDocument: model row r is text r + 1; columns
// 0 "Number", 1 "Original", 2 "Translated", 3 "Short.". Only columns 1 and 2 can be entered
// and edited; the cells hold game bytes, shown in the document's notation through the window's
// active code page. Every edit goes through the window's TextsSession, and the model shows
// every change the session announces.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <vector>

#include "common/code_page.h"
#include "exetext/string_table_document.h"

namespace tarn {

class TextsSession;
struct ChangedTexts;

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // codePage: the window's active code page, which outlives the model.
    GridModel(TextsSession& session, const CodePage& codePage, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Sets the cell (row 1..3453, column 1 or 2) from a text in the current notation, as an
    // edit of the current cell (kept as typed) or as part of the history's open change, and
    // repaints it.
    void setCellText(int row, int column, const std::string& text);
    // Gives the cell back a content it had (Esc), as an edit of the current cell.
    void restoreCell(int row, int column, CellText value) {
        setCell(index(row - 1, column), std::move(value));
    }
    // The code page changed: every text looks different.
    void refreshAll();
    // Marks the rows of the texts a save would find no place for (their Number cell).
    void markUnplacedTexts(const std::vector<int>& texts);

    static QModelIndex indexOf(const QAbstractItemModel* model, int row, int column) {
        return model->index(row - 1, column);
    }

signals:
    // The cell editor changed a cell's text.
    void cellEdited(int row, int column);

private:
    bool setCell(const QModelIndex& index, CellText value);  // false: no change
    void showChangedTexts(const ChangedTexts& changed);

    const StringTableDocument& document_;
    TextsSession& session_;
    const CodePage& codePage_;
    std::vector<bool> unplaced_;  // by model row
};

}  // namespace tarn
