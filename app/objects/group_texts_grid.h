// The two-column grid of a text group ("Language ID", "Text"): column 0 is read-only, column 1
// is edited in place. It reports every change of the cell editor as it happens, Enter pressed
// while not editing, and Esc pressed while editing (before the editor closes).
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QTableWidget>

namespace tarn {

class GroupTextsGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit GroupTextsGrid(QWidget* parent = nullptr);

    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    QLineEdit* cellEditor() const { return editor_; }  // the open editor, or nullptr
    void editCurrentCell();

signals:
    // A cell editor was created, before it takes the cell's text.
    void editorOpened(QLineEdit* editor);
    void editorTextChanged(int row, const QString& text);
    void enterPressed();
    void escapePressed(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class GroupTextsDelegate;
    void editorCreated(QLineEdit* editor, int row);

    QPointer<QLineEdit> editor_;  // cleared when the editor closes
};

}  // namespace tarn
