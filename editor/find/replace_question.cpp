#include "editor/find/replace_question.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarn {
TReplaceQuestion::TReplaceQuestion(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("ReplaceQuestion"));
    setWindowTitle(QStringLiteral("Replace"));
    setModal(true);
    Button1 = new QPushButton(QStringLiteral("Yes"), this);
    Button2 = new QPushButton(QStringLiteral("No"), this);
    Button3 = new QPushButton(QStringLiteral("Abort replace"), this);
    Button1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Replace this occurence?"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, [this] { done(YesResult); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(NoResult); });
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
}

void TReplaceQuestion::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    position_.shown(*this);
}

}  // namespace tarn
