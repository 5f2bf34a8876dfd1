#include "editor/not_found_form.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarn {

TNotFoundForm::TNotFoundForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Strings not found"));
    Label1 = new QLabel(this);
    Label1->setWordWrap(true);
    ListBox1 = new QListWidget(this);
    Label2 = new QLabel(QStringLiteral("Your executable may be corrupt"), this);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1);
    layout->addWidget(Label2);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    resize(320, 300);
}

void TNotFoundForm::setNumbers(const QString& label, const std::vector<int>& numbers) {
    Label1->setText(label);
    ListBox1->clear();
    for (const int n : numbers) {
        ListBox1->addItem(QString::number(n));
    }
}

}  // namespace tarn
