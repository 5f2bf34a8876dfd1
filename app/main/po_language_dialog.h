// SPDX-License-Identifier: GPL-3.0-or-later
// Asks once per translation for the language code its PO files carry ("de", "pl", "pt_BR").
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace tarn {

class PoLanguageDialog : public QDialog {
    Q_OBJECT
public:
    PoLanguageDialog(const std::string& proposed, QWidget* parent);
    std::string language() const;

private:
    QLineEdit* code_;
};

// The language chosen, or nothing when the translator cancelled.
std::optional<std::string> askPoLanguage(const std::string& proposed, QWidget* parent);

}  // namespace tarn
