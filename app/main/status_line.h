// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's status line: a hint while the mouse rests on a control, else in raw notation
// the game codes of the current cell's text, and one-off notes (a code page that fell back, a
// refused character, where a file was exported).
#pragma once

#include <QObject>
#include <QString>

class QStatusBar;

namespace tarn {

class CodePage;
class StringTableDocument;
class TextGridView;

class StatusLine : public QObject {
    Q_OBJECT
public:
    StatusLine(QStatusBar& bar, TextGridView& grid, const StringTableDocument& document,
               QObject* parent);

    QString text() const;
    void show(const QString& text);
    // A short note that goes by itself after a few seconds ("Saved").
    void showBriefly(const QString& text);
    // The grid's own hint (the free-space report), shown while the mouse rests on the grid.
    void setGridHint(const QString& hint);
    // The hint of the control under the mouse (a status-tip event); none: the cell's codes.
    void showHint(const QString& hint);
    // The current cell's codes, unless a hint or the C-style notation has the line.
    void showCodesUnlessHint();
    void showCurrentCodes();
    // A cell was entered or its text edited.
    void showEnteredCell(int row, int column);
    void noteCellEdit(int row, int column);

    // A note waits while notes are held (the start-up) and shows once they are not.
    void setNote(const QString& note);
    void holdNotes(bool hold);

private:
    void showCodes(int row, int column);
    void showNote();

    QStatusBar& bar_;
    TextGridView& grid_;
    const StringTableDocument& document_;
    QString currentHint_;
    QString note_;
    bool holdNotes_ = false;
};

}  // namespace tarn
