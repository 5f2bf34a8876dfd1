// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/write_problems.h"

#include <memory>

namespace tarn {

BackgroundWriter::Report reportProblemsTo(QObject& receiver,
                                          std::function<void(const QString& reason)> tell) {
    auto failing = std::make_shared<bool>(false);  // touched on the receiver's thread alone
    return [&receiver, failing, tell = std::move(tell)](const std::optional<std::string>& failure) {
        // On the writer's thread: told to the window on its own.
        const QString reason = failure ? QString::fromStdString(*failure) : QString();
        QMetaObject::invokeMethod(
            &receiver,
            [failing, tell, reason] {
                if (!reason.isEmpty() || *failing) {
                    *failing = !reason.isEmpty();
                    tell(reason);
                }
            },
            Qt::QueuedConnection);
    };
}

}  // namespace tarn
