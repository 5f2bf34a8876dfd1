// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/lang_id_edit.h"

#include <algorithm>

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarn {

QString clampLangIdText(const QString& text) {
    bool isNumber = false;
    const qlonglong value = text.toLongLong(&isNumber);
    if (!isNumber) {
        // Too many digits for a number are still far above the range.
        bool allDigits = !text.isEmpty();
        for (const QChar c : text) {
            allDigits = allDigits && c.isDigit();
        }
        return allDigits ? QString::number(kMaxLangId) : text;
    }
    if (value < 0) {
        return QStringLiteral("0");
    }
    if (value > kMaxLangId) {
        return QString::number(kMaxLangId);
    }
    return text;
}

LangIdEdit::LangIdEdit(QWidget* parent) : QLineEdit(QStringLiteral("0"), parent) {
    // The validator refuses every change that would put a non-digit into the text: typed
    // letters and pasted text alike, whichever way the paste comes in.
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    connect(this, &QLineEdit::textChanged, this, &LangIdEdit::applyRange);
}

void LangIdEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        emit stepRequested(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void LangIdEdit::applyRange() {
    const QString clamped = clampLangIdText(text());
    if (clamped != text()) {
        setText(clamped);  // runs applyRange again, which then leaves the text alone
    }
}

LangIdUpDown::LangIdUpDown(LangIdEdit& buddy, QWidget* parent)
    : QWidget(parent), buddy_(buddy), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAutoRepeat(true);
    down_->setAutoRepeat(true);
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
    connect(&buddy_, &LangIdEdit::stepRequested, this, &LangIdUpDown::stepBy);
    connect(&buddy_, &QLineEdit::textChanged, this, &LangIdUpDown::followBuddy);
    followBuddy(buddy_.text());
}

void LangIdUpDown::setPosition(int value) {
    value = std::clamp(value, 0, kMaxLangId);
    buddy_.setText(QString::number(value));  // followBuddy takes the position from it
    if (position_ != value) {
        position_ = value;
        emit positionChanged(position_);
    }
}

void LangIdUpDown::stepBy(int steps) {
    setPosition(position_ + steps);
}

void LangIdUpDown::followBuddy(const QString& text) {
    bool isNumber = false;
    const int value = text.toInt(&isNumber);
    if (isNumber && value >= 0 && value <= kMaxLangId && value != position_) {
        position_ = value;
        emit positionChanged(position_);
    }
}

}  // namespace tarn
