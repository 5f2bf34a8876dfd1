// SPDX-License-Identifier: GPL-3.0-or-later
// The application object of a window test program, on the offscreen platform.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

namespace tarn {

// Creates the program's one application on first use and returns it afterwards. It is never
// destroyed: Qt's own statics are gone by the time a static one would be. A program whose
// windows need their own application class (one that overrides notify) names it on the first
// call; later calls return the same object whatever they name.
template <typename Application = QApplication>
QApplication& testApplication() {
    if (QApplication* existing = qApp) {
        return *existing;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // also when the test list is read at build time
    }
    static int argc = 1;
    static char name[] = "TarnEdit";
    static char* argv[] = {name, nullptr};
    auto* created = new Application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TarnEdit"));
    return *created;
}

// Lets queued work (such as loading after a window is shown) run until done() or the timeout;
// false on timeout.
template <typename Done>
bool processEventsUntil(Done done, int timeoutMs = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace tarn
