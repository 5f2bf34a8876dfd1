// SPDX-License-Identifier: GPL-3.0-or-later
// Small drawn pictures for the toolbar commands that the style has no picture for.
#pragma once

#include <QIcon>

namespace tarn {

QIcon cutIcon();
QIcon copyIcon();
QIcon pasteIcon();
QIcon helpIcon();

}  // namespace tarn
