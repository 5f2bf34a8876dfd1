// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/about_dialog.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "app/widgets/shell.h"

namespace tarn {

const char* const AboutDialog::kHomePage = "https://tarn-translation.example.org/";
const char* const AboutDialog::kMailAddress = "translators@tarn-translation.example.org";

namespace {

QLabel* linkLabel(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

// Runs the action when the label is clicked.
class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            action_();
            return true;
        }
        return QObject::eventFilter(object, event);
    }

private:
    std::function<void()> action_;
};

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About Ostrel 2"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* title = new QLabel(QStringLiteral("TarnEdit"), this);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(33);
    title->setFont(titleFont);
    auto* credit = new QLabel(QStringLiteral("by the Tarn translation workbench team"), this);
    QFont creditFont(QStringLiteral("Arial"));
    creditFont.setPixelSize(20);
    credit->setFont(creditFont);
    auto* version = new QLabel(QStringLiteral("Version 1.0"), this);
    auto* homeText =
        new QLabel(QStringLiteral("You can find translations and updates on my homepage:"), this);
    QLabel* homePage = linkLabel(QString::fromLatin1(kHomePage), this);
    homePage->setObjectName(QStringLiteral("homePageLink"));
    auto* mailText = new QLabel(
        QStringLiteral("If you have problems, suggestions or want to publish your translation, "
                       "please send an e-mail to my address:"),
        this);
    mailText->setWordWrap(true);
    QLabel* mail = linkLabel(QString::fromLatin1(kMailAddress), this);
    mail->setObjectName(QStringLiteral("mailLink"));
    auto* licence = new QLabel(
        QStringLiteral("TarnEdit is free software: you may pass it on and change it under the GNU "
                       "General Public License, version 3 or later (COPYING). It comes with no "
                       "warranty. The libraries it uses and their licences are listed in "
                       "THIRD-PARTY-NOTICES.txt."),
        this);
    licence->setObjectName(QStringLiteral("licenceText"));
    licence->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // A click on a link opens the home page or a mail to the address.
    homePage->installEventFilter(
        new ClickFilter(homePage, [homePage]() { shellOpen(homePage->text()); }));
    mail->installEventFilter(new ClickFilter(
        mail, []() { shellOpen(QStringLiteral("mailto:") + QString::fromLatin1(kMailAddress)); }));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(credit, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(homeText);
    layout->addWidget(homePage);
    layout->addWidget(mailText);
    layout->addWidget(mail);
    layout->addSpacing(8);
    layout->addWidget(licence);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(380);
}

}  // namespace tarn
