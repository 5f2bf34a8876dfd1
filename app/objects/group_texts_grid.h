// SPDX-License-Identifier: GPL-3.0-or-later
// The two-column grid of a text group ("Language ID", "Text"): column 0 is read-only, column 1
// is edited in place through the shared game-text editor, which writes each change into the
// cell at once. The window gives it the conversion of the editor's text and the rule for
// leaving a cell; the grid reports Enter pressed while not editing, Esc, refused characters and
// the editor's context menu.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QTableWidget>
#include <functional>

#include "app/widgets/game_text_delegate.h"

namespace tarn {

class GroupTextsGrid : public QTableWidget, private GameTextEditorHost {
    Q_OBJECT
public:
    explicit GroupTextsGrid(QWidget* parent = nullptr);

    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    QLineEdit* cellEditor() const { return editor_; }  // the open editor, or nullptr
    void editCurrentCell();
    void closeCellEditor();  // what it holds is in the cell already

    // What the editor's text is checked against (a failure refuses what was typed or pasted).
    void setField(FieldText field) { field_ = std::move(field); }
    // The page the texts' code bytes are drawn framed in (it outlives the grid).
    void setFramedCodePage(const CodePage* page) { framedCodePage_ = page; }
    // Asked before the current cell moves to another cell and before Enter closes the editor;
    // a refusal has said why.
    void setCellCheck(std::function<bool()> mayLeaveCell) {
        mayLeaveCell_ = std::move(mayLeaveCell);
    }

signals:
    // A cell editor was created, before it takes the cell's text.
    void editorOpened(QLineEdit* editor);
    void enterPressed();
    // Esc closed the editor without committing it.
    void escapePressed(int row);
    void characterRefused(const QString& message);
    void editorMenuRequested(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    FieldText editorField() const override { return field_; }
    const CodePage* framedCodePage() const override { return framedCodePage_; }
    int cellTextLimit() const override;
    bool mayCloseCellEditor() override { return !mayLeaveCell_ || mayLeaveCell_(); }
    void cellEditorOpened(QLineEdit* editor) override;
    void cellEditorEscaped() override { emit escapePressed(currentRow()); }
    void reportRefusal(const QString& message) override { emit characterRefused(message); }
    void cellEditorMenuRequested(const QPoint& globalPos) override {
        emit editorMenuRequested(globalPos);
    }

    QPointer<QLineEdit> editor_;  // cleared when the editor is deleted
    FieldText field_;
    const CodePage* framedCodePage_ = nullptr;
    std::function<bool()> mayLeaveCell_;
};

}  // namespace tarn
