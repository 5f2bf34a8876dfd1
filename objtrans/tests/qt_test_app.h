// The QApplication of a window test program (offscreen platform), created on first use and
// never destroyed: Qt's own statics are gone by the time a static one would be.
#pragma once

#include <QApplication>
#include <QElapsedTimer>

namespace tarn {

inline QApplication& qtTestApp() {
    static int argc = 1;
    static char name[] = "TarnEdit";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Lets queued work (such as loading after a window is shown) run until done() or timeout.
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
