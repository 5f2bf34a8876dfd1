// SPDX-License-Identifier: GPL-3.0-or-later
// "New language ID": asks for the ID of a new entry of a text group. Keeps its value between
// showings.
#pragma once

#include <QDialog>

class QPushButton;

namespace tarn {

class LangIdEdit;
class LangIdUpDown;

class NewLanguageIdDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewLanguageIdDialog(QWidget* parent = nullptr);

    int id() const;  // 0 to 254
    // The ID proposed at the next showing (clamped to 0..254); the dialog keeps it after that.
    void setId(int id);

protected:
    void showEvent(QShowEvent* event) override;

private:
    LangIdEdit* idEdit_;
    LangIdUpDown* idUpDown_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tarn
