// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/unresolved_texts_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarn {

UnresolvedTextsDialog::UnresolvedTextsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("unresolvedTextsDialog"));
    setWindowTitle(QStringLiteral("Strings not found"));
    captionLabel_ = new QLabel(this);
    captionLabel_->setObjectName(QStringLiteral("captionLabel"));
    captionLabel_->setWordWrap(true);
    numberList_ = new QListWidget(this);
    numberList_->setObjectName(QStringLiteral("numberList"));
    auto* warning = new QLabel(QStringLiteral("Your executable may be corrupt"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(captionLabel_);
    layout->addWidget(numberList_);
    layout->addWidget(warning);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    resize(320, 300);
}

void UnresolvedTextsDialog::setNumbers(const QString& label, const std::vector<int>& numbers) {
    captionLabel_->setText(label);
    numberList_->clear();
    for (const int n : numbers) {
        numberList_->addItem(QString::number(n));
    }
}

}  // namespace tarn
