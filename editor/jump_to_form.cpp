#include "editor/jump_to_form.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "exetext/exe_profile.h"
#include "app/widgets/prompter.h"

namespace tarn {

TJumpToForm::TJumpToForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Jump to..."));
    auto* label = new QLabel(QStringLiteral("Jump to string number"), this);
    JumpToNum = new QLineEdit(this);
    JumpToNum->setMaxLength(4);
    JumpToNum->installEventFilter(this);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TJumpToForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(JumpToNum);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TJumpToForm::number() const {
    return JumpToNum->text().toInt();
}

void TJumpToForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    JumpToNum->setFocus();
    JumpToNum->selectAll();  // the last number entered stays, selected
}

bool TJumpToForm::eventFilter(QObject* object, QEvent* event) {
    if (object == JumpToNum && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Button1->click();
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

void TJumpToForm::Button1Click() {
    if (JumpToNum->text().isEmpty()) {
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
