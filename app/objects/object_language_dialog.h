// SPDX-License-Identifier: GPL-3.0-or-later
// "Object language settings": the two language ID bytes of the translated executable that tell
// the game which texts of the object files to take.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

class QPushButton;

namespace tarn {

class LangIdEdit;
class LangIdUpDown;

// The two language ID bytes as the main window holds them.
struct LangIds {
    std::uint8_t primary = 0;
    std::uint8_t secondary = 0;

    bool operator==(const LangIds&) const = default;
};

class ObjectLanguageDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObjectLanguageDialog(QWidget* parent = nullptr);

    // Shows the dialog with current and answers the IDs it holds when closed with OK; the
    // caller marks its texts modified then, even when the values did not change, so that the
    // next save writes them. Any other end answers nothing.
    std::optional<LangIds> choose(LangIds current);

private:
    LangIdEdit* primaryEdit_;
    LangIdUpDown* primaryUpDown_;
    LangIdEdit* secondaryEdit_;
    LangIdUpDown* secondaryUpDown_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tarn
