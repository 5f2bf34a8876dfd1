// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps each code that takes data (%S, %c) whole in a cell editor: nothing is typed into its
// data or between the code's characters, and Delete or Backspace on the code or any data byte
// removes the code with all its data, as one change of the editor (its own undo takes it back).
#pragma once

#include <QString>

#include "app/widgets/code_page_validator.h"

class QKeyEvent;
class QLineEdit;

namespace tarn {

// The editor's rule over typed changes: the refusal message for a change that would split a
// code from its data, else empty.
ChangeRule keepCodeDataWhole(FieldText field);

// Delete or Backspace in editor: when the character or selection it removes touches a code
// with data, removes the code with all its data instead and answers true (the key is used).
bool removeCodeWithItsData(QLineEdit& editor, const QKeyEvent& key, const FieldText& field);

}  // namespace tarn
