// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/read_only_title.h"

#include <QWidget>

namespace tarn {

QString titleShowingReadOnly(const QString& title, bool readOnly) {
    return title + (readOnly ? QStringLiteral(" (read-only)") : QString()) + QStringLiteral("[*]");
}

void showReadOnlyInTitle(QWidget& window, const QString& title, bool readOnly) {
    window.setWindowTitle(titleShowingReadOnly(title, readOnly));
}

}  // namespace tarn
