// "Jump to...": asks for a text number from 1 to 3453.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tarn {

class TJumpToForm : public QDialog {
    Q_OBJECT
public:
    explicit TJumpToForm(QWidget* parent);

    // The number entered, valid after the dialog closed with Accepted.
    int number() const;

    QLineEdit* JumpToNum;
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // Cancel

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Button1Click();
};

}  // namespace tarn
