// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's status line: a hint while the mouse rests on a control, else in raw notation
// the game codes of the current cell's text, and one-off notes (a code page that fell back, a
// refused character, where a file was exported). A message longer than the bar is read whole in
// the bar's tooltip and in the log of the last messages, a menu on the bar's button.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;
class QStatusBar;
class QToolButton;

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
    // A message: shown, and kept in the log when it says something.
    void show(const QString& text);
    // Something the translator did was refused; the next edit or step that succeeds ends it.
    void showRefusal(const QString& text);
    // A change succeeded: a refusal still shown goes.
    void endRefusal();
    // The last messages, newest first.
    const QStringList& log() const { return log_; }
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
    void showPassing(const QString& text);  // codes and hints: not messages for the log
    void addToLog(const QString& text);

    QStatusBar& bar_;
    TextGridView& grid_;
    const StringTableDocument& document_;
    QString currentHint_;
    QString note_;
    bool holdNotes_ = false;
    QString refusal_;  // the refusal shown, until it goes
    QStringList log_;
    QToolButton* logButton_;
    QMenu* logMenu_;
};

}  // namespace tarn
