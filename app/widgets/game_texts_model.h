// SPDX-License-Identifier: GPL-3.0-or-later
// The table model of every grid of game texts, over a session's rows: model row r is row r + 1.
// Text columns can be entered and edited; their cells hold game bytes, shown in the rows'
// notation through the window's active code page. Every edit goes through the session, and the
// model shows every change the session announces.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "textcodes/game_text_rows.h"

namespace tarn {

class GameTextsSession;
struct ChangedTexts;

class GameTextsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // codePage: the window's active code page, which outlives the model.
    GameTextsModel(GameTextsSession& session, const CodePage& codePage, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Sets a text cell from a text in the current notation, as an edit of the current cell
    // (kept as typed) or as part of the session's open change, and repaints it.
    void setCellText(int row, int column, const std::string& text);
    // Gives the cell back a content it had (Esc), as an edit of the current cell.
    void restoreCell(int row, int column, CellText value);
    // The code page changed: every text looks different.
    void refreshAll();
    // Marks the rows' first cells, with the tip (the texts a save would find no place for).
    void markRows(const std::vector<int>& rows, const QString& tip);
    // Flags the rows' first cells: their texts need review.
    void flagForReview(const std::vector<int>& rows);

signals:
    // The cell editor changed a cell's text.
    void cellEdited(int row, int column);

private:
    bool setCell(int row, int column, CellText value);  // false: no change
    void showChangedTexts(const ChangedTexts& changed);

    GameTextsSession& session_;
    const CodePage& codePage_;
    int rowCount_ = 0;         // as the views know it: a change of the number resets them
    std::vector<int> marked_;  // ascending
    QString markTip_;
    std::vector<int> review_;  // ascending
};

}  // namespace tarn
