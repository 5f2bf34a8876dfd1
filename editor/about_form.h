// "About Ostrel 2": the program's name, version, credit and links.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarn {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    static const char* const kHomePage;
    static const char* const kMailAddress;

    explicit TAboutForm(QWidget* parent);

    QLabel* Label5;  // home-page link
    QLabel* Label7;  // e-mail link
    QPushButton* OKButton;
};

}  // namespace tarn
