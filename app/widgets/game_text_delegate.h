// The in-place editor of game texts, shared by every grid that edits them: a line edit that
// accepts only characters the grid's code page holds, writes each change through to the cell at
// once, and passes Enter, Esc and its context menu to the grid's own rules. The grid answers
// through GameTextEditorHost; GatedSelectionModel lets it refuse moves of the current cell.
#pragma once

#include <QItemSelectionModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>
#include <string>

#include "common/code_page.h"

class QAbstractItemView;
class QLineEdit;

namespace tarn {

class GameTextEditorHost {
public:
    virtual ~GameTextEditorHost() = default;
    // The editor's text as game bytes; a failure refuses the typed or pasted text.
    virtual EncodeResult encodeEditorText(const QString& text) const = 0;
    // Enter: whether the editor may close (a refusal has said why).
    virtual bool mayCloseCellEditor() = 0;
    virtual void cellEditorOpened(QLineEdit* editor) = 0;
    // Esc closed the editor without committing it.
    virtual void cellEditorEscaped() = 0;
    // A refused character (0: a malformed text); the beep is done.
    virtual void reportRefusedCharacter(char32_t character) = 0;
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
