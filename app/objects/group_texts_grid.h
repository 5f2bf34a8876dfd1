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

    // The editor's text as game bytes (a failure refuses what was typed or pasted).
    void setEncoder(std::function<EncodeResult(const QString&)> encode) {
        encode_ = std::move(encode);
    }
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
    void characterRefused(char32_t character);
    void editorMenuRequested(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    EncodeResult encodeEditorText(const QString& text) const override;
    bool mayCloseCellEditor() override { return !mayLeaveCell_ || mayLeaveCell_(); }
    void cellEditorOpened(QLineEdit* editor) override;
    void cellEditorEscaped() override { emit escapePressed(currentRow()); }
    void reportRefusedCharacter(char32_t character) override { emit characterRefused(character); }
    void cellEditorMenuRequested(const QPoint& globalPos) override {
        emit editorMenuRequested(globalPos);
    }

    QPointer<QLineEdit> editor_;  // cleared when the editor is deleted
    std::function<EncodeResult(const QString&)> encode_;
    std::function<bool()> mayLeaveCell_;
};

}  // namespace tarn
