// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/game_texts_model.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>

#include "app/widgets/game_texts_session.h"
#include "app/widgets/display_text.h"

namespace tarn {

namespace {
// A light red that keeps the row's first cell readable.
const QColor kMarkedColour(255, 170, 170);
// The flag of a text that needs review: a square of this colour beside its number.
const QColor kReviewColour(230, 150, 0);
}  // namespace

GameTextsModel::GameTextsModel(GameTextsSession& session, const CodePage& codePage, QObject* parent)
    : QAbstractTableModel(parent),
      session_(session),
      codePage_(codePage),
      rowCount_(session.rows().rowCount()) {
    connect(&session, &GameTextsSession::textsChanged, this, &GameTextsModel::showChangedTexts);
    connect(&session, &GameTextsSession::readOnlyChanged, this, &GameTextsModel::refreshAll);
}

int GameTextsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rowCount_;
}

int GameTextsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : session_.rows().columnCount();
}

QVariant GameTextsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount_) {
        return {};
    }
    const GameTextRows& rows = session_.rows();
    const int row = index.row() + 1;
    const int column = index.column();
    const bool marked = column == 0 && std::binary_search(marked_.begin(), marked_.end(), row);
    const bool review = column == 0 && std::binary_search(review_.begin(), review_.end(), row);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (!rows.isTextColumn(column)) {
                return QString::fromStdString(rows.label(row, column));
            }
            return gameBytesToDisplay(rows.notationText(row, column), codePage_);
        case Qt::BackgroundRole:
            if (column == 0) {
                return marked ? QBrush(kMarkedColour)
                              : QApplication::palette().brush(QPalette::Button);
            }
            return {};
        case Qt::ForegroundRole:
            return column == 0 ? QApplication::palette().brush(QPalette::ButtonText) : QVariant();
        case Qt::DecorationRole:
            return review ? QVariant(kReviewColour) : QVariant();
        case Qt::ToolTipRole:
            return marked   ? QVariant(markTip_)
                   : review ? QVariant(QStringLiteral("Needs review"))
                            : QVariant();
        default:
            return {};
    }
}

bool GameTextsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !session_.rows().isTextColumn(index.column())) {
        return false;
    }
    const EncodeResult bytes = displayToGameBytes(value.toString(), codePage_);
    if (!bytes.ok()) {
        return false;  // a text the code page cannot hold is never stored
    }
    // What is typed stays as typed until the cell is left, so the editor keeps its text.
    const int row = index.row() + 1;
    if (setCell(row, index.column(), session_.rows().fromNotation(bytes.bytes, true))) {
        emit cellEdited(row, index.column());
    }
    return true;
}

bool GameTextsModel::setCell(int row, int column, CellText value) {
    if (row < 1 || row > rowCount_ || session_.rows().cellText(row, column) == value) {
        return false;
    }
    return session_.editCell(row, column, std::move(value));
}

Qt::ItemFlags GameTextsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    if (session_.rows().isTextColumn(index.column())) {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable |
               (session_.isReadOnly() ? Qt::NoItemFlags : Qt::ItemIsEditable);
    }
    return Qt::ItemIsEnabled;
}

QVariant GameTextsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return QString::number(section + 1);
    }
    return QString::fromStdString(session_.rows().heading(section));
}

void GameTextsModel::setCellText(int row, int column, const std::string& text) {
    setCell(row, column, session_.rows().fromNotation(text, !session_.inChange()));
}

void GameTextsModel::restoreCell(int row, int column, CellText value) {
    setCell(row, column, std::move(value));
}

void GameTextsModel::markRows(const std::vector<int>& rows, const QString& tip) {
    std::vector<int> marked = rows;
    std::sort(marked.begin(), marked.end());
    if (marked == marked_ && tip == markTip_) {
        return;
    }
    marked_ = std::move(marked);
    markTip_ = tip;
    if (rowCount_ > 0) {
        emit dataChanged(index(0, 0), index(rowCount_ - 1, 0),
                         {Qt::BackgroundRole, Qt::ToolTipRole});
    }
}

void GameTextsModel::flagForReview(const std::vector<int>& rows) {
    std::vector<int> review = rows;
    std::sort(review.begin(), review.end());
    if (review == review_) {
        return;
    }
    review_ = std::move(review);
    if (rowCount_ > 0) {
        emit dataChanged(index(0, 0), index(rowCount_ - 1, 0),
                         {Qt::DecorationRole, Qt::ToolTipRole});
    }
}

void GameTextsModel::showChangedTexts(const ChangedTexts& changed) {
    if (changed.everyText()) {
        // Rows come and go at the end (another group, a language ID added or removed), so the
        // views keep their columns' widths and, where it stays, their current cell.
        const int count = session_.rows().rowCount();
        if (count > rowCount_) {
            beginInsertRows({}, rowCount_, count - 1);
            rowCount_ = count;
            endInsertRows();
        } else if (count < rowCount_) {
            beginRemoveRows({}, count, rowCount_ - 1);
            rowCount_ = count;
            endRemoveRows();
        }
        refreshAll();
        return;
    }
    const int last = columnCount() - 1;
    for (const int row : changed.rows) {
        emit dataChanged(index(row - 1, 0), index(row - 1, last), {Qt::DisplayRole, Qt::EditRole});
    }
}

void GameTextsModel::refreshAll() {
    if (rowCount_ > 0) {
        emit dataChanged(index(0, 0), index(rowCount_ - 1, columnCount() - 1),
                         {Qt::DisplayRole, Qt::EditRole});
    }
}

}  // namespace tarn
