// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/message_box_prompter.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tarn {

namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
        case MessageButtons::YesNoDefaultNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::OverwriteReloadCancel:  // named buttons of their own
            return QMessageBox::NoButton;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

}  // namespace

MessageAnswer MessageBoxPrompter::message(const QString& text, const QString& caption,
                                          MessageIcon icon, MessageButtons buttons) {
    // The messages break lines with LF CR; a label shows the CR as a stray mark.
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.remove(QChar('\r'));
    QMessageBox box(toQt(icon), caption, shown, toQt(buttons), QApplication::activeWindow());
    if (buttons == MessageButtons::OverwriteReloadCancel) {
        QPushButton* overwrite =
            box.addButton(QStringLiteral("Overwrite"), QMessageBox::AcceptRole);
        QPushButton* reload = box.addButton(QStringLiteral("Reload"), QMessageBox::ActionRole);
        box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        box.exec();
        if (box.clickedButton() == overwrite) {
            return MessageAnswer::Overwrite;
        }
        return box.clickedButton() == reload ? MessageAnswer::Reload : MessageAnswer::Cancel;
    }
    if (buttons == MessageButtons::YesNoDefaultNo) {
        box.setDefaultButton(QMessageBox::No);
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            return MessageAnswer::Cancel;
    }
}

int MessageBoxPrompter::runModal(QDialog& dialog) {
    return dialog.exec();
}

void MessageBoxPrompter::beep() {
    QApplication::beep();
}

}  // namespace tarn
