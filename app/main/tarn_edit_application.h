// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: an exception that reaches the event loop is shown in the
// application's exception box and the program goes on.
#pragma once

#include <QApplication>

namespace tarn {

class TarnEditApplication : public QApplication {
    Q_OBJECT
public:
    TarnEditApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tarn
