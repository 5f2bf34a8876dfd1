// The main window's grid view: a table over the GridModel with in-place editing of columns 1 and
// 2. Every move of the current cell, by mouse, keyboard or command, asks the gate first; the
// cell editor writes each change to the model at once, so the model always holds what the
// translator sees.
#pragma once

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include "common/code_page.h"

namespace tarn {

class TextGridView;

// What the grid asks before the current cell moves or the open editor closes with Enter.
class CellGate {
public:
    virtual ~CellGate() = default;
    virtual bool mayEnterCell(int row, int column) = 0;
    virtual bool mayCloseEditor() = 0;
};

// Refuses moves of the current cell that the grid's gate does not allow.
class GridSelectionModel : public QItemSelectionModel {
    Q_OBJECT
public:
    GridSelectionModel(QAbstractItemModel* model, TextGridView* grid);
    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override;

private:
    TextGridView* grid_;
};

// The in-place editor: a line edit that accepts only characters of the active code page,
// writes through on every change and passes Enter and Esc to the grid's rules.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(TextGridView* grid);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TextGridView* grid_;
};

class TextGridView : public QTableView {
    Q_OBJECT
public:
    explicit TextGridView(QWidget* parent = nullptr);
    void setModel(QAbstractItemModel* model) override;

    // The rules every move and every Enter in the editor ask (none: all allowed).
    void setGate(CellGate* gate) { gate_ = gate; }
    CellGate* gate() const { return bypassGate_ ? nullptr : gate_; }
    // The code page the editor takes characters of (it outlives the view).
    void setCodePage(const CodePage* codePage) { codePage_ = codePage; }
    EncodeResult encode(const QString& text) const;

    int currentRow() const;     // 1..3453, 0 when there is no current cell
    int currentColumn() const;  // 0..3, -1 when there is no current cell
    // Moves the current cell through the gate; answers whether it moved.
    bool moveTo(int row, int column);
    // Sets the current cell without asking the gate (the first cell after creation).
    void placeWithoutChecks(int row, int column);

    bool isEditing() const;
    // A read-only grid opens no cell editor (another program holds the texts for editing).
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool isReadOnly() const { return readOnly_; }
    QLineEdit* cellEditor() const;  // the open editor, or nullptr
    void closeCellEditor();
    QRect cellRect(int row, int column) const;  // in the viewport's coordinates

signals:
    void editingStarts();  // Enter with the editor closed, before it opens
    void escapePressed();  // Esc, with or without the editor
    void contextMenuRequested(const QPoint& globalPos);  // right click in the editor
    void characterRefused(char32_t character);  // a typed or pasted character the page lacks

protected:
    void keyPressEvent(QKeyEvent* event) override;
    using QTableView::edit;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class GridDelegate;
    void editorCreated(QLineEdit* editor) { editor_ = editor; }
    QPointer<QLineEdit> editor_;  // cleared when the editor closes or is deleted
    CellGate* gate_ = nullptr;
    const CodePage* codePage_ = nullptr;
    bool bypassGate_ = false;
    bool readOnly_ = false;
};

}  // namespace tarn
