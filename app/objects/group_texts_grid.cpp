// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/group_texts_grid.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "app/widgets/paste_guard.h"

namespace tarn {

GroupTextsGrid::GroupTextsGrid(QWidget* parent) : QTableWidget(0, 2, parent) {
    setHorizontalHeaderLabels({QStringLiteral("Language ID"), QStringLiteral("Text")});
    setItemDelegate(new GameTextDelegate(*this, *this));
    // The selection model QTableWidget made is replaced by one that asks before the current cell
    // moves; the old one is deleted with its model's other views gone.
    QItemSelectionModel* old = selectionModel();
    setSelectionModel(new GatedSelectionModel(
        model(), this, [this](const QModelIndex&) { return !mayLeaveCell_ || mayLeaveCell_(); }));
    delete old;
    // QTableWidget reports the current cell and the selection through its first selection
    // model only: the new one reports them the same way.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                emit currentCellChanged(current.row(), current.column(), previous.row(),
                                        previous.column());
                emit currentItemChanged(itemFromIndex(current), itemFromIndex(previous));
            });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QTableWidget::itemSelectionChanged);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, 80);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);
}

void GroupTextsGrid::editCurrentCell() {
    const QModelIndex index = currentIndex();
    if (index.isValid() && index.column() == 1) {
        edit(index);
    }
}

void GroupTextsGrid::closeCellEditor() {
    if (editor_ != nullptr && isEditing()) {
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
    }
}

int GroupTextsGrid::cellTextLimit() const {
    return textFieldLimit(nullptr, field_.notation && field_.notation() == Notation::CStyle);
}

void GroupTextsGrid::cellEditorOpened(QLineEdit* editor) {
    editor_ = editor;
    emit editorOpened(editor);
}

void GroupTextsGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !isEditing() && event->modifiers() == Qt::NoModifier) {
        emit enterPressed();
        editCurrentCell();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace tarn
