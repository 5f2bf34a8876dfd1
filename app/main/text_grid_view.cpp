#include "app/main/text_grid_view.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include "app/main/grid_text.h"
#include "app/widgets/code_page_validator.h"

namespace tarn {

GridSelectionModel::GridSelectionModel(QAbstractItemModel* model, TextGridView* grid)
    : QItemSelectionModel(model, grid), grid_(grid) {}

void GridSelectionModel::setCurrentIndex(const QModelIndex& index,
                                         QItemSelectionModel::SelectionFlags command) {
    CellGate* gate = grid_->gate();
    if (index.isValid() && index != currentIndex() && gate != nullptr &&
        !gate->mayEnterCell(index.row() + 1, index.column())) {
        return;
    }
    QItemSelectionModel::setCurrentIndex(index, command);
}

GridDelegate::GridDelegate(TextGridView* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    QPointer<TextGridView> grid(grid_);
    refuseMissingCharacters(
        *editor, [grid](const QString& text) { return grid ? grid->encode(text) : EncodeResult{}; },
        [grid](char32_t missing) {
            if (grid && missing != 0) {
                emit grid->characterRefused(missing);
            }
        });
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, editor, [grid, editor](QPoint pos) {
        if (grid) {
            emit grid->contextMenuRequested(editor->mapToGlobal(pos));
        }
    });
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textChanged, editor, [cell, editor](const QString& text) {
        if (cell.isValid() && editor->hasAcceptableInput()) {
            const_cast<QAbstractItemModel*>(cell.model())->setData(cell, text, Qt::EditRole);
        }
    });
    grid_->editorCreated(editor);
    return editor;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text) {
        const QSignalBlocker block(line);
        line->setText(text);
    }
}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The focused cell is drawn selected.
    if (index == grid_->currentIndex() && index.column() != 0) {
        option->state |= QStyle::State_Selected;
    }
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor == nullptr) {
        return QStyledItemDelegate::eventFilter(object, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (grid_->gate() != nullptr && !grid_->gate()->mayCloseEditor()) {
                return true;  // the editor stays open
            }
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            emit closeEditor(editor, RevertModelCache);
            emit grid_->escapePressed();
            return true;
        }
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            return true;  // Tab does not move between cells
        }
    }
    if (event->type() == QEvent::FocusOut) {
        // A message box or menu over the window leaves the editor open.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
            return false;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

TextGridView::TextGridView(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new GridDelegate(this));
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
    setSelectionModel(new GridSelectionModel(model, this));
    delete old;
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

EncodeResult TextGridView::encode(const QString& text) const {
    return codePage_ != nullptr ? displayToGameBytes(text, *codePage_) : EncodeResult{};
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
