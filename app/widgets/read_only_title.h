// SPDX-License-Identifier: GPL-3.0-or-later
// A text window's title says when its files are open read-only, so that the translator sees it
// before typing into a grid that refuses every change.
#pragma once

#include <QString>

class QWidget;

namespace tarn {

// "TarnEdit (read-only)[*]": the title, the read-only note, then the modified marker.
QString titleShowingReadOnly(const QString& title, bool readOnly);
void showReadOnlyInTitle(QWidget& window, const QString& title, bool readOnly);

}  // namespace tarn
