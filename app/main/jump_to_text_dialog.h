// SPDX-License-Identifier: GPL-3.0-or-later
// "Jump to...": asks for a text number from 1 to 3453.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tarn {

class JumpToTextDialog : public QDialog {
    Q_OBJECT
public:
    explicit JumpToTextDialog(QWidget* parent);

    // The number entered, valid after the dialog closed with Accepted.
    int number() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void confirm();

    QLineEdit* numberEdit_;
    QPushButton* okButton_;
};

}  // namespace tarn
