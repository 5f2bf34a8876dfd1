// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/game_text_delegate.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/widgets/code_data_editing.h"
#include "app/widgets/framed_code_painting.h"
#include "app/widgets/paste_guard.h"
#include "app/widgets/prompter.h"

namespace tarn {

GameTextDelegate::GameTextDelegate(QAbstractItemView& view, GameTextEditorHost& host)
    : QStyledItemDelegate(&view), view_(&view), host_(host) {}

QWidget* GameTextDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    guardTextLength(*editor, host_.cellTextLimit());
    // The editor may outlive its view by a moment (it is deleted later): the view is asked
    // only while it is there.
    const QPointer<QAbstractItemView> view(view_);
    GameTextEditorHost* host = &host_;
    const FieldText hostField = host->editorField();
    const FieldText field{
        [view, encode = hostField.encode](const QString& text) {
            return view ? encode(text) : EncodeResult{};
        },
        [view, page = hostField.codePage] { return view ? page() : CodePage(); },
        [view, notation = hostField.notation] { return view ? notation() : Notation::Raw; }};
    refuseUnstorableCharacters(
        *editor, field,
        [view, host](const QString& message) {
            if (view) {
                host->reportRefusal(message);
            }
        },
        keepCodeDataWhole(field));
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, editor, [view, host, editor](QPoint pos) {
        if (view) {
            host->cellEditorMenuRequested(editor->mapToGlobal(pos));
        }
    });
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textChanged, editor, [cell, editor](const QString& text) {
        if (cell.isValid() && editor->hasAcceptableInput()) {
            const_cast<QAbstractItemModel*>(cell.model())->setData(cell, text, Qt::EditRole);
        }
    });
    host_.cellEditorOpened(editor);
    return editor;
}

void GameTextDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text) {
        if (text.size() > line->maxLength()) {
            line->setMaxLength(static_cast<int>(text.size()));  // a text is never cut
        }
        const QSignalBlocker block(line);
        line->setText(text);
    }
}

void GameTextDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The focused cell is drawn selected.
    if (view_ && index == view_->currentIndex() && index.column() != 0) {
        option->state |= QStyle::State_Selected;
    }
}

void GameTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem filled = option;
    initStyleOption(&filled, index);
    const CodePage* page = host_.framedCodePage();
    // Column 0 holds numbers, never game text.
    if (index.column() == 0 || page == nullptr ||
        !paintCodeBytesFramed(painter, filled, *page, host_.editorField().notation())) {
        QStyledItemDelegate::paint(painter, option, index);
    }
}

bool GameTextDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor == nullptr || !view_) {
        return QStyledItemDelegate::eventFilter(object, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (!host_.mayCloseCellEditor()) {
                return true;  // the editor stays open
            }
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            emit closeEditor(editor, RevertModelCache);
            host_.cellEditorEscaped();
            return true;
        }
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            return true;  // Tab does not move between cells
        }
        if (removeCodeWithItsData(*editor, *key, host_.editorField())) {
            return true;
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

GatedSelectionModel::GatedSelectionModel(QAbstractItemModel* model, QObject* parent,
                                         MayEnter mayEnter)
    : QItemSelectionModel(model, parent), mayEnter_(std::move(mayEnter)) {}

void GatedSelectionModel::setCurrentIndex(const QModelIndex& index,
                                          QItemSelectionModel::SelectionFlags command) {
    if (index.isValid() && index != currentIndex() && mayEnter_ && !mayEnter_(index)) {
        return;
    }
    QItemSelectionModel::setCurrentIndex(index, command);
}

void showNotationError(const std::string& error) {
    prompter().message(
        QStringLiteral("The C-style string you entered has an error:\n\r") +
            QString::fromStdString(error) +
            QStringLiteral("\n\rYou must fix this error to continue or press ESC to undo your "
                           "changes"),
        QStringLiteral("Error in string"), MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace tarn
