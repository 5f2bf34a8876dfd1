// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/find/replace_prompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/window_placement.h"

namespace tarn {
ReplacePrompt::ReplacePrompt(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("replacePrompt"));
    setWindowTitle(QStringLiteral("Replace"));
    setModal(true);
    yesButton_ = new QPushButton(QStringLiteral("Yes"), this);
    yesButton_->setObjectName(QStringLiteral("yesButton"));
    noButton_ = new QPushButton(QStringLiteral("No"), this);
    noButton_->setObjectName(QStringLiteral("noButton"));
    abortButton_ = new QPushButton(QStringLiteral("Abort replace"), this);
    abortButton_->setObjectName(QStringLiteral("abortButton"));
    yesButton_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Replace this occurence?"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(yesButton_);
    buttons->addWidget(noButton_);
    buttons->addWidget(abortButton_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(yesButton_, &QPushButton::clicked, this, [this] { done(YesResult); });
    connect(noButton_, &QPushButton::clicked, this, [this] { done(NoResult); });
    connect(abortButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void ReplacePrompt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    position_.shown(*this);
    moveClearOf(*this, clearOf_);
}

}  // namespace tarn
