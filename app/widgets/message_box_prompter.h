// SPDX-License-Identifier: GPL-3.0-or-later
// The real prompter: QMessageBox and QDialog::exec().
#pragma once

#include "app/widgets/prompter.h"

namespace tarn {

class MessageBoxPrompter : public Prompter {
public:
    MessageAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons) override;
    int runModal(QDialog& dialog) override;
    void beep() override;
};

}  // namespace tarn
