// SPDX-License-Identifier: GPL-3.0-or-later
// A prompter for tests: answers message boxes and modal dialogs from a script, in order, and
// records everything that was asked. Installs itself for its lifetime.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/widgets/prompter.h"

namespace tarn {

class ScriptedPrompter : public Prompter {
public:
    struct Asked {
        QString text;     // message text, or the dialog's class name for a modal dialog
        QString caption;  // message caption, or the dialog's window title
        MessageIcon icon = MessageIcon::None;
        MessageButtons buttons = MessageButtons::Ok;
        bool isDialog = false;
    };
    // Drives a modal dialog: fill its fields, click its buttons. The dialog is shown before the
    // handler runs; its result is answered afterwards (Rejected when it is still open).
    using DialogHandler = std::function<void(QDialog&)>;

    ScriptedPrompter();
    ~ScriptedPrompter() override;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    // The next message box is answered with this button; whenAsked, if given, runs while it is
    // shown, to look at what the program left as it asks.
    void answer(MessageAnswer next, std::function<void()> whenAsked = {});
    // The next modal dialog is run by this handler.
    void onDialog(DialogHandler handler);

    MessageAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons) override;
    int runModal(QDialog& dialog) override;
    void beep() override { ++beeps_; }

    const std::vector<Asked>& asked() const { return asked_; }
    std::vector<Asked> messages() const;  // message boxes only
    int beeps() const { return beeps_; }
    // Script entries that were not used, and entries used for the wrong kind of prompt.
    std::size_t unusedEntries() const { return script_.size(); }
    const std::vector<std::string>& mismatches() const { return mismatches_; }
    void clear();

private:
    struct Entry {
        bool isDialog = false;
        MessageAnswer answer = MessageAnswer::Ok;
        DialogHandler handler;
        std::function<void()> whenAsked;
    };
    std::deque<Entry> script_;
    std::vector<Asked> asked_;
    std::vector<std::string> mismatches_;
    int beeps_ = 0;
    Prompter* previous_ = nullptr;
};

}  // namespace tarn
