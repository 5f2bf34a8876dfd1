// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/text_grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include "app/widgets/display_text.h"
#include "app/widgets/paste_guard.h"

namespace tarn {

TextGridView::TextGridView(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new GameTextDelegate(*this, *this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void TextGridView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    auto* old = selectionModel();
    setSelectionModel(new GatedSelectionModel(model, this, [this](const QModelIndex& cell) {
        CellGate* cellGate = gate();
        return cellGate == nullptr || cellGate->mayEnterCell(cell.row() + 1, cell.column());
    }));
    delete old;
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

bool TextGridView::mayCloseCellEditor() {
    return gate() == nullptr || gate()->mayCloseEditor();
}

EncodeResult TextGridView::encode(const QString& text) const {
    if (codePage_ == nullptr) {
        return {};
    }
    EncodeResult bytes = displayToGameBytes(text, *codePage_);
    // A zero byte would end the text where the game reads it: refused like a character the
    // page lacks (C-style text refuses its escape when it converts).
    if (bytes.ok() && notation() == Notation::Raw && bytes.bytes.find('\0') != std::string::npos) {
        return {{}, EncodeFault::MissingCharacter, 0};
    }
    return bytes;
}

int TextGridView::cellTextLimit() const {
    return textLimit_ ? textLimit_() : textFieldLimit(nullptr, Notation::CStyle);
}

void TextGridView::cellEditorOpened(QLineEdit* editor) {
    editor_ = editor;
    emit editorOpened(editor);
}

FieldText TextGridView::fieldText() const {
    QPointer<const TextGridView> grid(this);
    return {[grid](const QString& text) { return grid ? grid->encode(text) : EncodeResult{}; },
            [grid] { return grid && grid->codePage_ ? *grid->codePage_ : CodePage(); },
            [grid] { return grid ? grid->notation() : Notation::Raw; }};
}

Notation TextGridView::notation() const {
    return notation_ ? notation_() : Notation::Raw;
}

int TextGridView::currentRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

int TextGridView::currentColumn() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : -1;
}

bool TextGridView::moveTo(int row, int column) {
    const QModelIndex target = model()->index(row - 1, column);
    if (!target.isValid()) {
        return false;
    }
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    if (currentIndex() != target) {
        return false;
    }
    scrollTo(target);
    return true;
}

void TextGridView::placeWithoutChecks(int row, int column) {
    bypassGate_ = true;
    selectionModel()->setCurrentIndex(model()->index(row - 1, column),
                                      QItemSelectionModel::NoUpdate);
    bypassGate_ = false;
}

bool TextGridView::isEditing() const {
    return editor_ != nullptr;
}

QLineEdit* TextGridView::cellEditor() const {
    return editor_;
}

void TextGridView::closeCellEditor() {
    if (editor_ != nullptr) {
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
    }
}

void TextGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == editor_) {
        editor_ = nullptr;  // the editor itself is deleted later
    }
    QTableView::closeEditor(editor, hint);
}

QRect TextGridView::cellRect(int row, int column) const {
    return visualRect(model()->index(row - 1, column));
}

void TextGridView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && current.isValid() &&
        !isEditing()) {
        emit editingStarts();
        QTableView::edit(current);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool TextGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // Only the current cell is edited: a double click on another cell first has to move there.
    if (readOnly_ || (trigger != QAbstractItemView::AllEditTriggers && index != currentIndex())) {
        return false;
    }
    return QTableView::edit(index, trigger, event);
}

}  // namespace tarn
