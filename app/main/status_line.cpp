// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/status_line.h"

#include <QMenu>
#include <QStatusBar>
#include <QToolButton>

#include "app/widgets/text_grid_view.h"
#include "common/code_page_choice.h"
#include "exetext/string_table_document.h"
#include "textcodes/cstyle.h"

namespace tarn {

namespace {

constexpr int kLoggedMessages = 10;

}  // namespace

StatusLine::StatusLine(QStatusBar& bar, TextGridView& grid, const StringTableDocument& document,
                       QObject* parent)
    : QObject(parent), bar_(bar), grid_(grid), document_(document) {
    logButton_ = new QToolButton(&bar);
    logButton_->setObjectName(QStringLiteral("messageLogButton"));
    logButton_->setText(QStringLiteral("Messages"));
    logButton_->setToolTip(QStringLiteral("The last messages, whole"));
    logButton_->setAutoRaise(true);
    logButton_->setPopupMode(QToolButton::InstantPopup);
    logButton_->setEnabled(false);
    logMenu_ = new QMenu(logButton_);
    logMenu_->setObjectName(QStringLiteral("messageLogMenu"));
    logButton_->setMenu(logMenu_);
    bar.addPermanentWidget(logButton_);
    // The bar's tooltip is the message shown, however much of it the bar cuts off.
    connect(&bar, &QStatusBar::messageChanged, logButton_,
            [&bar](const QString& message) { bar.setToolTip(message); });
}

QString StatusLine::text() const {
    return bar_.currentMessage();
}

void StatusLine::show(const QString& text) {
    refusal_.clear();
    bar_.showMessage(text);
    addToLog(text);
}

void StatusLine::showRefusal(const QString& text) {
    show(text);
    refusal_ = text;
}

void StatusLine::endRefusal() {
    if (refusal_.isEmpty()) {
        return;
    }
    const bool shown = bar_.currentMessage() == refusal_;
    refusal_.clear();
    if (shown) {
        showPassing(QString());
        showCodesUnlessHint();
    }
}

void StatusLine::showPassing(const QString& text) {
    bar_.showMessage(text);
}

void StatusLine::addToLog(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    log_.prepend(text);
    if (log_.size() > kLoggedMessages) {
        log_.removeLast();
    }
    logMenu_->clear();
    for (const QString& message : log_) {
        QString caption = message;
        caption.replace(QChar('&'), QStringLiteral("&&"));
        caption.replace(QStringLiteral("\n\r"), QStringLiteral(" "));
        logMenu_->addAction(caption);
    }
    logButton_->setEnabled(true);
}

void StatusLine::showBriefly(const QString& text) {
    constexpr int kShownMs = 3000;
    refusal_.clear();
    bar_.showMessage(text, kShownMs);
    addToLog(text);
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
    if (!hint.isEmpty() || document_.notation() == Notation::CStyle) {
        showPassing(hint);
    } else {
        showCurrentCodes();
    }
}

void StatusLine::showCodesUnlessHint() {
    if (document_.notation() == Notation::Raw && currentHint_.isEmpty()) {
        showCurrentCodes();
    }
}

void StatusLine::showCurrentCodes() {
    const int row = grid_.currentRow();
    const int column = grid_.currentColumn();
    if (row < 1 || column < 1) {
        showPassing(QString());
        return;
    }
    showCodes(row, column);
}

void StatusLine::showEnteredCell(int row, int column) {
    setGridHint(QString());
    if (document_.notation() == Notation::Raw) {
        showCodes(row, column);
    }
}

void StatusLine::noteCellEdit(int row, int column) {
    endRefusal();
    if (currentHint_.isEmpty() && document_.notation() == Notation::Raw) {
        showCodes(row, column);
    }
}

void StatusLine::showCodes(int row, int column) {
    showPassing(QString::fromStdString(rawToCodes(document_.cell(row, column))));
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
