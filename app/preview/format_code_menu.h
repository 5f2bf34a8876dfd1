// SPDX-License-Identifier: GPL-3.0-or-later
// Fills the grid's context menu: cut, copy and paste, then the game's colour
// codes (with colour swatches), value codes, line break, thin letters and default colour, and
// "&Undo editing". A chosen code goes into the open cell editor in front of the selection, in
// the grid's notation.
#pragma once

#include <QObject>
#include <cstdint>

class QAction;
class QMenu;
class QPoint;

namespace tarn {

class TextCells;

class FormatCodeMenu : public QObject {
    Q_OBJECT
public:
    // Fills the empty menu. cut, copy and paste are the main window's editing actions; any of
    // them may be null.
    FormatCodeMenu(QMenu& menu, TextCells& grid, QAction* cut, QAction* copy, QAction* paste,
                   QObject* parent = nullptr);

    // Opens the menu at a screen position, only while a cell is being edited.
    bool popupWhileEditing(const QPoint& globalPosition);

public slots:
    // Enables the code items and "&Undo editing" exactly while a cell is being edited.
    void enableItems();
    // Inserts the code carried by the item (its data) into the open cell editor.
    void insertCode(QAction* item);
    // Puts back the text the cell had when it was entered.
    void undoEditing();

private:
    QAction* addCodeItem(QMenu& menu, const QString& caption, std::uint8_t code);
    void makeColourSwatches();

    QMenu& menu_;
    TextCells& grid_;
    QMenu* colourMenu_;
    QMenu* valueMenu_;
    QAction* lineBreakAction_;
    QAction* thinLettersAction_;
    QAction* defaultColourAction_;
    QAction* undoEditingAction_;
};

}  // namespace tarn
