// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/jump_to_text_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/prompter.h"
#include "exetext/exe_profile.h"

namespace tarn {

JumpToTextDialog::JumpToTextDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("jumpToTextDialog"));
    setWindowTitle(QStringLiteral("Jump to..."));
    auto* label = new QLabel(QStringLiteral("Jump to string number"), this);
    numberEdit_ = new QLineEdit(this);
    numberEdit_->setObjectName(QStringLiteral("numberEdit"));
    numberEdit_->setMaxLength(4);
    numberEdit_->installEventFilter(this);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    okButton_->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(okButton_, &QPushButton::clicked, this, &JumpToTextDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(numberEdit_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int JumpToTextDialog::number() const {
    return numberEdit_->text().toInt();
}

void JumpToTextDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    numberEdit_->setFocus();
    numberEdit_->selectAll();  // the last number entered stays, selected
}

bool JumpToTextDialog::eventFilter(QObject* object, QEvent* event) {
    if (object == numberEdit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            okButton_->click();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
        const QString text = key->text();
        const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                             key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                             key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
                             key->key() == Qt::Key_Tab;
        if (!editing && !text.isEmpty() &&
            !(text.size() == 1 && text[0].isDigit() && text[0] >= QChar('0') &&
              text[0] <= QChar('9'))) {
            prompter().beep();
            return true;
        }
    }
    return QDialog::eventFilter(object, event);
}

void JumpToTextDialog::confirm() {
    if (numberEdit_->text().isEmpty()) {
        reject();
        return;
    }
    const int n = number();
    if (n < 1 || n > kTextCount) {
        prompter().message(QStringLiteral("You have to enter a number between 1 and 3453!"),
                           QStringLiteral("Error"), MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    accept();
}

}  // namespace tarn
