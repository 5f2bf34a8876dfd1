// SPDX-License-Identifier: GPL-3.0-or-later
// The grid view of game texts: a table over a GameTextsModel with in-place editing of its text
// columns through the shared game-text editor. Every move of the current cell, by mouse, keyboard
// or command, asks the gate first; the cell editor writes each change to the model at once, so the
// model always holds what the translator sees.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <functional>

#include "app/widgets/game_text_delegate.h"
#include "common/code_page.h"
#include "textcodes/typed_codes.h"

namespace tarn {

// What the grid asks before the current cell moves or the open editor closes with Enter.
class CellGate {
public:
    virtual ~CellGate() = default;
    virtual bool mayEnterCell(int row, int column) = 0;
    virtual bool mayCloseEditor() = 0;
};

class TextGridView : public QTableView, private GameTextEditorHost {
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
    // What the cell editor's text is checked against: the page, the table and the notation.
    FieldText fieldText() const;
    Notation notation() const;
    // How the cells write codes (raw when not set).
    void setNotation(std::function<Notation()> notation) { notation_ = std::move(notation); }
    // The longest text the editor takes, asked each time it opens.
    void setTextLimit(std::function<int()> limit) { textLimit_ = std::move(limit); }

    int currentRow() const;     // from 1, 0 when there is no current cell
    int currentColumn() const;  // -1 when there is no current cell
    // Moves the current cell through the gate; answers whether it moved.
    bool moveTo(int row, int column);
    // Sets the current cell without asking the gate (the first cell after creation).
    void placeWithoutChecks(int row, int column);

    // Opens the editor on the current cell, as Enter does (not while read-only).
    void editCurrentCell() { QTableView::edit(currentIndex()); }
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
    // A typed or pasted character was refused (the beep is done): the status-bar message.
    void characterRefused(const QString& message);
    void editorOpened(QLineEdit* editor);  // a cell editor was made, before it shows

protected:
    void keyPressEvent(QKeyEvent* event) override;
    using QTableView::edit;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // The shared cell editor's questions.
    FieldText editorField() const override { return fieldText(); }
    const CodePage* framedCodePage() const override { return codePage_; }
    int cellTextLimit() const override;
    bool mayCloseCellEditor() override;
    void cellEditorOpened(QLineEdit* editor) override;
    void cellEditorEscaped() override { emit escapePressed(); }
    void reportRefusal(const QString& message) override { emit characterRefused(message); }
    void cellEditorMenuRequested(const QPoint& globalPos) override {
        emit contextMenuRequested(globalPos);
    }

    QPointer<QLineEdit> editor_;  // cleared when the editor closes or is deleted
    CellGate* gate_ = nullptr;
    const CodePage* codePage_ = nullptr;
    std::function<Notation()> notation_;
    std::function<int()> textLimit_;
    bool bypassGate_ = false;
    bool readOnly_ = false;
};

}  // namespace tarn
