#include "app/objects/group_texts_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

#include "app/widgets/paste_guard.h"

namespace tarn {

// Creates plain line editors and hands each to the grid, which watches its changes and keys.
class GroupTextsDelegate : public QStyledItemDelegate {
public:
    explicit GroupTextsDelegate(GroupTextsGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        guardTextLength(*editor, textFieldLimit(nullptr, false));
        grid_.editorCreated(editor, index.row());
        return editor;
    }

protected:
    // The delegate watches its editors and closes one on Esc without committing it; the grid
    // hears of the Esc first, while the editor still holds the edited text.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            emit grid_.escapePressed(grid_.currentRow());
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    GroupTextsGrid& grid_;
};

GroupTextsGrid::GroupTextsGrid(QWidget* parent) : QTableWidget(0, 2, parent) {
    setHorizontalHeaderLabels({QStringLiteral("Language ID"), QStringLiteral("Text")});
    setItemDelegate(new GroupTextsDelegate(*this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, 80);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);
}

void GroupTextsGrid::editCurrentCell() {
    const QModelIndex index = currentIndex();
    if (index.isValid() && index.column() == 1) {
        edit(index);
    }
}

void GroupTextsGrid::editorCreated(QLineEdit* editor, int row) {
    editor_ = editor;
    emit editorOpened(editor);
    connect(editor, &QLineEdit::textEdited, this,
            [this, row](const QString& text) { emit editorTextChanged(row, text); });
}

void GroupTextsGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !isEditing() && event->modifiers() == Qt::NoModifier) {
        emit enterPressed();
        editCurrentCell();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace tarn
