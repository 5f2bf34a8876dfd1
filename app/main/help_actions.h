// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's help: the guide's contents and overview, the About box, and F1 on a
// highlighted menu item, which opens the item's section of the guide.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tarn {

class AboutDialog;

class HelpActions : public QObject {
    Q_OBJECT
public:
    static constexpr int kOverviewContext = 1;

    HelpActions(const QString& helpFile, QWidget& window);

    void showContents();
    void showOverview();
    void showAbout();

protected:
    // Installed on the menus: F1 on an item shows its section.
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QString helpFile_;
    QWidget& window_;
    AboutDialog* aboutDialog_;
};

}  // namespace tarn
