// SPDX-License-Identifier: GPL-3.0-or-later
// How the commands that take the translator to a text end: on the row's translated cell with
// the keyboard in the grid, so that what is typed next goes into the translation; and how the
// commands that look downwards for a text start again from the first one.
#pragma once

#include <QString>
#include <functional>

namespace tarn {

class TextGridView;

// Makes the row's translated cell current (through the grid's cell rules) and gives the grid
// the keyboard; false when the current cell may not be left.
bool workOnTranslation(TextGridView& grid, int row);

// The first text after `after` that a command looks for, 0 when none.
using NextText = std::function<int(int after)>;

// The text below the current one that next finds; when there is none below but one above, the
// first one once the translator agrees ("Start from the first text?"). With nothing anywhere
// else, nothingLeft is said. 0: stay where you are.
int nextTextStartingAgain(int current, const NextText& next, const QString& caption,
                          const QString& nothingLeft);

}  // namespace tarn
