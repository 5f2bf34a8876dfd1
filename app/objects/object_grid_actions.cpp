// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_grid_actions.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QUndoStack>

#include "app/preview/format_code_menu.h"
#include "app/widgets/object_names.h"
#include "app/widgets/paste_guard.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

namespace {

QString stepCaption(const QString& verb, const QString& step) {
    return step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
}

}  // namespace

ObjectGridActions::ObjectGridActions(QWidget& window, TextGridView& grid, QUndoStack& history,
                                     TextCells& cells, const Handlers& handlers)
    : QObject(&window), grid_(grid), gridMenu_(new QMenu(&window)) {
    createHistoryActions(window, history, handlers);
    auto add = [this](const QString& caption, const QKeySequence& key, auto handler) {
        auto* action = new QAction(caption, this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, handler);
        grid_.addAction(action);
        gridMenu_->addAction(action);
        return action;
    };
    auto onEditor = [this](auto operation) {
        return [this, operation] {
            if (QLineEdit* editor = grid_.cellEditor()) {
                (editor->*operation)();
            }
        };
    };
    gridMenu_->addAction(undo_);
    gridMenu_->addAction(redo_);
    gridMenu_->addSeparator();
    cut_ = add(QStringLiteral("Cu&t"), QKeySequence::Cut, onEditor(&QLineEdit::cut));
    copy_ = add(QStringLiteral("&Copy"), QKeySequence::Copy, onEditor(&QLineEdit::copy));
    paste_ = add(QStringLiteral("&Paste"), QKeySequence::Paste, [this] {
        if (QLineEdit* editor = grid_.cellEditor()) {
            pasteWhole(*editor);
        }
    });
    gridMenu_->addSeparator();
    addLanguageId_ = add(QStringLiteral("Add new language ID"),
                         QKeySequence(Qt::ALT | Qt::Key_Insert), handlers.addLanguageId);
    removeLanguageId_ = add(QStringLiteral("Delete current language ID"),
                            QKeySequence(Qt::ALT | Qt::Key_Delete), handlers.removeLanguageId);
    gridMenu_->addSeparator();
    QAction* previousGroup = add(QStringLiteral("Previous text group"),
                                 QKeySequence(Qt::ALT | Qt::Key_Up), handlers.previousGroup);
    QAction* nextGroup = add(QStringLiteral("Next text group"),
                             QKeySequence(Qt::ALT | Qt::Key_Down), handlers.nextGroup);
    // Cut, copy and paste act on the cell editor; their shortcuts stay with it.
    for (QAction* a : {cut_, copy_, paste_}) {
        grid_.removeAction(a);
    }
    grid_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { gridMenu_->popup(grid_.viewport()->mapToGlobal(pos)); });
    // While a cell is edited, its context menu is the main grid's: cut, copy, paste and the codes.
    auto* codes = new FormatCodeMenu(*new QMenu(&window), cells, cut_, copy_, paste_, this);
    connect(&grid_, &TextGridView::contextMenuRequested, codes, &FormatCodeMenu::popupWhileEditing);
    setObjectNames({
        {gridMenu_, "gridMenu"},
        {cut_, "cutAction"},
        {copy_, "copyAction"},
        {paste_, "pasteAction"},
        {addLanguageId_, "addLanguageIdAction"},
        {removeLanguageId_, "removeLanguageIdAction"},
        {previousGroup, "previousGroupAction"},
        {nextGroup, "nextGroupAction"},
        {undo_, "objectUndoAction"},
        {redo_, "objectRedoAction"},
    });
}

void ObjectGridActions::createHistoryActions(QWidget& window, QUndoStack& history,
                                             const Handlers& handlers) {
    undo_ = new QAction(QStringLiteral("Undo"), this);
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = new QAction(QStringLiteral("Redo"), this);
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* action : {undo_, redo_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
    }
    connect(undo_, &QAction::triggered, this, handlers.undo);
    connect(redo_, &QAction::triggered, this, handlers.redo);
    connect(&history, &QUndoStack::undoTextChanged, this, [this](const QString& step) {
        undo_->setText(stepCaption(QStringLiteral("Undo"), step));
    });
    connect(&history, &QUndoStack::redoTextChanged, this, [this](const QString& step) {
        redo_->setText(stepCaption(QStringLiteral("Redo"), step));
    });
    connect(&history, &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);
    undo_->setEnabled(false);
    redo_->setEnabled(false);
}

void ObjectGridActions::setReadOnly(bool readOnly) {
    // What slips past them is refused by the session.
    for (QAction* action : {paste_, cut_, addLanguageId_, removeLanguageId_}) {
        action->setEnabled(!readOnly);
    }
}

}  // namespace tarn
