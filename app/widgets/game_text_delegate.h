// SPDX-License-Identifier: GPL-3.0-or-later
// The in-place editor of game texts, shared by every grid that edits them: a line edit that
// accepts only characters the game can store as typed, writes each change through to the cell at
// once, and passes Enter, Esc and its context menu to the grid's own rules. In the text cells,
// code bytes are drawn framed, so that they cannot be taken for letters. The grid answers
// through GameTextEditorHost; GatedSelectionModel lets it refuse moves of the current cell.
#pragma once

#include <QItemSelectionModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>
#include <string>

#include "app/widgets/code_page_validator.h"
#include "common/code_page.h"

class QAbstractItemView;
class QLineEdit;

namespace tarn {

class GameTextEditorHost {
public:
    virtual ~GameTextEditorHost() = default;
    // What the editor's text is checked against: the page, the table and the notation.
    virtual FieldText editorField() const = 0;
    // The page the text cells' code bytes are drawn framed in; nullptr draws them plainly.
    virtual const CodePage* framedCodePage() const = 0;
    // The longest text the editor takes, asked each time one opens.
    virtual int cellTextLimit() const = 0;
    // Enter: whether the editor may close (a refusal has said why).
    virtual bool mayCloseCellEditor() = 0;
    virtual void cellEditorOpened(QLineEdit* editor) = 0;
    // Esc closed the editor without committing it.
    virtual void cellEditorEscaped() = 0;
    // A typed or pasted character was refused (the beep is done): the status-bar message.
    virtual void reportRefusal(const QString& message) = 0;
    virtual void cellEditorMenuRequested(const QPoint& globalPos) = 0;
};

class GameTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // host is the view itself or lives as long as it.
    GameTextDelegate(QAbstractItemView& view, GameTextEditorHost& host);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QPointer<QAbstractItemView> view_;
    GameTextEditorHost& host_;
};

// Asks mayEnter before the current cell moves to another valid cell; a refusal keeps it.
class GatedSelectionModel : public QItemSelectionModel {
    Q_OBJECT
public:
    using MayEnter = std::function<bool(const QModelIndex& cell)>;
    GatedSelectionModel(QAbstractItemModel* model, QObject* parent, MayEnter mayEnter);
    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override;

private:
    MayEnter mayEnter_;
};

// Says, in a message box, why a text in C-style notation cannot be taken and how to go on.
void showNotationError(const std::string& error);

}  // namespace tarn
