// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/scripted_prompter.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <utility>

namespace tarn {

ScriptedPrompter::ScriptedPrompter() : previous_(setPrompter(this)) {}

ScriptedPrompter::~ScriptedPrompter() {
    setPrompter(previous_);
}

void ScriptedPrompter::answer(MessageAnswer next, std::function<void()> whenAsked) {
    script_.push_back({false, next, {}, std::move(whenAsked)});
}

void ScriptedPrompter::onDialog(DialogHandler handler) {
    script_.push_back({true, MessageAnswer::Ok, std::move(handler), {}});
}

MessageAnswer ScriptedPrompter::message(const QString& text, const QString& caption,
                                        MessageIcon icon, MessageButtons buttons) {
    asked_.push_back({text, caption, icon, buttons, false});
    if (!script_.empty() && !script_.front().isDialog) {
        const Entry next = std::move(script_.front());
        script_.pop_front();
        if (next.whenAsked) {
            next.whenAsked();
        }
        return next.answer;
    }
    if (!script_.empty()) {
        mismatches_.push_back("message box asked where a dialog was scripted: " +
                              text.toStdString());
    }
    // Unscripted: the answer that changes nothing.
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
        case MessageButtons::YesNoDefaultNo:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Cancel;
    }
}

int ScriptedPrompter::runModal(QDialog& dialog) {
    asked_.push_back({QString::fromLatin1(dialog.metaObject()->className()), dialog.windowTitle(),
                      MessageIcon::None, MessageButtons::Ok, true});
    DialogHandler handler;
    if (!script_.empty() && script_.front().isDialog) {
        handler = std::move(script_.front().handler);
        script_.pop_front();
    } else if (!script_.empty()) {
        mismatches_.push_back("dialog shown where a message answer was scripted: " +
                              dialog.windowTitle().toStdString());
    }
    dialog.setResult(QDialog::Rejected);
    // The toolkit's file dialog, which a test fills in, also where the system's own would open.
    if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        files->setOption(QFileDialog::DontUseNativeDialog);
    }
    dialog.show();
    if (handler) {
        handler(dialog);
    }
    // Work a dialog posts to itself when shown (the save window's) runs now.
    for (int i = 0; i < 10 && dialog.isVisible(); ++i) {
        QCoreApplication::processEvents();
    }
    if (dialog.isVisible()) {
        dialog.reject();
    }
    return dialog.result();
}

std::vector<ScriptedPrompter::Asked> ScriptedPrompter::messages() const {
    std::vector<Asked> out;
    for (const Asked& a : asked_) {
        if (!a.isDialog) {
            out.push_back(a);
        }
    }
    return out;
}

void ScriptedPrompter::clear() {
    script_.clear();
    asked_.clear();
    mismatches_.clear();
    beeps_ = 0;
}

}  // namespace tarn
