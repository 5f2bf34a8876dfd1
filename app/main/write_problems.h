// SPDX-License-Identifier: GPL-3.0-or-later
// A background writer's outcomes as the window tells them: on the receiver's own thread, a write
// that failed even when tried again (its reason), and the first success after such a failure (an
// empty text); successes in a row say nothing.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "common/background_writer.h"

namespace tarn {

BackgroundWriter::Report reportProblemsTo(QObject& receiver,
                                          std::function<void(const QString& reason)> tell);

}  // namespace tarn
