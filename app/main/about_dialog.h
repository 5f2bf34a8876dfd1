// SPDX-License-Identifier: GPL-3.0-or-later
// "About Ostrel 2": the program's name, version, credit and links.
#pragma once

#include <QDialog>

namespace tarn {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static const char* const kHomePage;
    static const char* const kMailAddress;

    explicit AboutDialog(QWidget* parent);
};

}  // namespace tarn
