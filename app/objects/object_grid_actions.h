// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's grid handlers: Undo and Redo on the window's keys (their captions
// name the step, as an Edit menu does), Cut, Copy and Paste in the cell editor, adding and
// removing a language ID and stepping through the groups, all in the grid's context menu; the
// cell editor's own menu adds the format codes, as in the main window.
#pragma once

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QUndoStack;
class QWidget;

namespace tarn {

class TextCells;
class TextGridView;

class ObjectGridActions : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void()> undo;
        std::function<void()> redo;
        std::function<void()> addLanguageId;
        std::function<void()> removeLanguageId;
        std::function<void()> previousGroup;
        std::function<void()> nextGroup;
    };
    // cells: the grid as the format-code menu sees it; it and the rest outlive this.
    ObjectGridActions(QWidget& window, TextGridView& grid, QUndoStack& history, TextCells& cells,
                      const Handlers& handlers);

    // The handlers that change texts, disabled while read-only.
    void setReadOnly(bool readOnly);

private:
    void createHistoryActions(QWidget& window, QUndoStack& history, const Handlers& handlers);

    TextGridView& grid_;
    QMenu* gridMenu_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* cut_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* addLanguageId_ = nullptr;
    QAction* removeLanguageId_ = nullptr;
};

}  // namespace tarn
