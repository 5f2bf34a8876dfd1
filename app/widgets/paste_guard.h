// SPDX-License-Identifier: GPL-3.0-or-later
// Text fields that never cut a text: a field takes texts as long as the translated executable's
// text areas can hold, and a paste or drop that would make its text longer is refused whole,
// with a message, instead of being cut at the field's limit.
#pragma once

#include "textcodes/cstyle.h"

class QLineEdit;

namespace tarn {

struct ExeProfile;

// The longest text a field takes: the total size of the text areas of the translated
// executable's build (of the largest build when none is open), four times over in C-style
// notation, where one byte may take four characters (\xHH).
int textFieldLimit(const ExeProfile* profile, Notation notation);

// Gives editor the limit and refuses, whole, each paste or drop that would pass it.
void guardTextLength(QLineEdit& editor, int limit);

// Pastes the clipboard into editor whole, or refuses it whole with a message when the text
// would pass the editor's limit. Every Paste command goes through it.
void pasteWhole(QLineEdit& editor);

}  // namespace tarn
