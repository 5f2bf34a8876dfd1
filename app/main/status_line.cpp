// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/status_line.h"

#include <QStatusBar>

#include "app/widgets/text_grid_view.h"
#include "common/code_page_choice.h"
#include "exetext/string_table_document.h"
#include "textcodes/cstyle.h"

namespace tarn {

StatusLine::StatusLine(QStatusBar& bar, TextGridView& grid, const StringTableDocument& document,
                       QObject* parent)
    : QObject(parent), bar_(bar), grid_(grid), document_(document) {}

QString StatusLine::text() const {
    return bar_.currentMessage();
}

void StatusLine::show(const QString& text) {
    bar_.showMessage(text);
}

void StatusLine::showBriefly(const QString& text) {
    constexpr int kShownMs = 3000;
    bar_.showMessage(text, kShownMs);
}

void StatusLine::setGridHint(const QString& hint) {
    // While the mouse rests on the grid its hint is the application's current hint.
    if (!currentHint_.isEmpty() && currentHint_ == grid_.statusTip()) {
        currentHint_ = hint;
    }
    grid_.setStatusTip(hint);
}

void StatusLine::showHint(const QString& hint) {
    currentHint_ = hint;
    if (!hint.isEmpty() || document_.cstyle()) {
        show(hint);
    } else {
        showCurrentCodes();
    }
}

void StatusLine::showCodesUnlessHint() {
    if (!document_.cstyle() && currentHint_.isEmpty()) {
        showCurrentCodes();
    }
}

void StatusLine::showCurrentCodes() {
    const int row = grid_.currentRow();
    const int column = grid_.currentColumn();
    if (row < 1 || column < 1) {
        show(QString());
        return;
    }
    showCodes(row, column);
}

void StatusLine::showEnteredCell(int row, int column) {
    setGridHint(QString());
    if (!document_.cstyle()) {
        showCodes(row, column);
    }
}

void StatusLine::noteCellEdit(int row, int column) {
    if (currentHint_.isEmpty() && !document_.cstyle()) {
        showCodes(row, column);
    }
}

void StatusLine::showCodes(int row, int column) {
    show(QString::fromStdString(rawToCodes(document_.cell(row, column))));
}

void StatusLine::setNote(const QString& note) {
    note_ = note;
    showNote();
}

void StatusLine::holdNotes(bool hold) {
    holdNotes_ = hold;
    showNote();
}

void StatusLine::showNote() {
    if (holdNotes_ || note_.isEmpty()) {
        return;
    }
    show(note_);
    note_.clear();
}

}  // namespace tarn
