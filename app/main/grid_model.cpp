// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/grid_model.h"

#include <QApplication>
#include <QPalette>

#include "app/main/texts_session.h"
#include "app/widgets/grid_text.h"

namespace tarn {

namespace {
// A light red that keeps the row number readable.
const QColor kUnplacedColour(255, 170, 170);
}  // namespace

GridModel::GridModel(TextsSession& session, const CodePage& codePage, QObject* parent)
    : QAbstractTableModel(parent),
      document_(session.document()),
      session_(session),
      codePage_(codePage),
      unplaced_(static_cast<std::size_t>(StringTableDocument::kRows), false) {
    connect(&session, &TextsSession::textsChanged, this, &GridModel::showChangedTexts);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : StringTableDocument::kRows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : StringTableDocument::kColumns;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row() + 1;
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (column == StringTableDocument::NumberColumn) {
                return QString::number(row);
            }
            return gameBytesToDisplay(document_.notationText(row, column), codePage_);
        case Qt::BackgroundRole:
            if (column == StringTableDocument::NumberColumn) {
                if (unplaced_[static_cast<std::size_t>(index.row())]) {
                    return QBrush(kUnplacedColour);
                }
                return QApplication::palette().brush(QPalette::Button);
            }
            return {};
        case Qt::ToolTipRole:
            if (column == StringTableDocument::NumberColumn &&
                unplaced_[static_cast<std::size_t>(index.row())]) {
                return QStringLiteral("This text does not fit in the executable file");
            }
            return {};
        default:
            return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole ||
        (index.column() != StringTableDocument::OriginalColumn &&
         index.column() != StringTableDocument::TranslatedColumn)) {
        return false;
    }
    const EncodeResult bytes = displayToGameBytes(value.toString(), codePage_);
    if (!bytes.ok()) {
        return false;  // a text the code page cannot hold is never stored
    }
    // What is typed stays as typed until the cell is left, so the editor keeps its text.
    if (setCell(index, document_.fromNotation(bytes.bytes, true))) {
        emit cellEdited(index.row() + 1, index.column());
    }
    return true;
}

bool GridModel::setCell(const QModelIndex& index, CellText value) {
    const int row = index.row() + 1;
    if (document_.cellText(row, index.column()) == value) {
        return false;
    }
    return session_.editCell(row, index.column(), std::move(value));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    if (index.column() == StringTableDocument::OriginalColumn ||
        index.column() == StringTableDocument::TranslatedColumn) {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable |
               (session_.isReadOnly() ? Qt::NoItemFlags : Qt::ItemIsEditable);
    }
    return Qt::ItemIsEnabled;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return QString::number(section + 1);
    }
    static const char* const headings[] = {"Number", "Original", "Translated", "Short."};
    if (section >= 0 && section < StringTableDocument::kColumns) {
        return QString::fromLatin1(headings[section]);
    }
    return {};
}

void GridModel::setCellText(int row, int column, const std::string& text) {
    setCell(index(row - 1, column), document_.fromNotation(text, !session_.inChange()));
}

void GridModel::markUnplacedTexts(const std::vector<int>& texts) {
    std::vector<bool> unplaced(unplaced_.size(), false);
    for (const int text : texts) {
        if (text >= 1 && text <= StringTableDocument::kRows) {
            unplaced[static_cast<std::size_t>(text - 1)] = true;
        }
    }
    if (unplaced == unplaced_) {
        return;
    }
    unplaced_ = std::move(unplaced);
    emit dataChanged(index(0, StringTableDocument::NumberColumn),
                     index(rowCount() - 1, StringTableDocument::NumberColumn),
                     {Qt::BackgroundRole, Qt::ToolTipRole});
}

void GridModel::showChangedTexts(const ChangedTexts& changed) {
    if (changed.everyText()) {
        refreshAll();
        return;
    }
    for (const int row : changed.rows) {
        emit dataChanged(index(row - 1, StringTableDocument::OriginalColumn),
                         index(row - 1, StringTableDocument::ShortColumn),
                         {Qt::DisplayRole, Qt::EditRole});
    }
}

void GridModel::refreshAll() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                     {Qt::DisplayRole, Qt::EditRole});
}

}  // namespace tarn
