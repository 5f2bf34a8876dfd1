#include "objtrans/t_ask_lang_id.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarn {

TAskLangID::TAskLangID(QWidget* parent)
    : QDialog(parent),
      Edit1(new LangIdEdit(this)),
      UpDown1(new LangIdUpDown(*Edit1, this)),
      OKButton(new QPushButton(QStringLiteral("OK"), this)),
      CancelButton(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("AskLangID"));
    setWindowTitle(QStringLiteral("New language ID"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    UpDown1->setObjectName(QStringLiteral("UpDown1"));

    auto* edit = new QHBoxLayout;
    edit->setSpacing(0);
    edit->addWidget(Edit1);
    edit->addWidget(UpDown1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("New language ID:"), this));
    layout->addLayout(edit);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TAskLangID::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}

}  // namespace tarn
