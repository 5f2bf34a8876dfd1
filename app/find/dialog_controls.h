// SPDX-License-Identifier: GPL-3.0-or-later
// Small builders shared by the Find and Replace dialogs: a titled radio-button group, an edit
// box that accepts only characters the grid can turn into game bytes, and where a found row lies.
#pragma once

#include <QRect>
#include <QStringList>
#include <functional>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace tarn {

class ReplaceRunCells;
class TextCells;

// A group box holding one radio button per item; the buttons' ids are their indexes.
QGroupBox* makeRadioGroup(const QString& title, const QStringList& items, int checked,
                          QButtonGroup*& buttons, QWidget* parent);

// The edit refuses characters the grid's code page lacks and characters that would fall on game
// codes; the grid reports each refusal.
void acceptGameTextOnly(QLineEdit& edit, TextCells& grid);

// Maps a text shown in the old code page to the same bytes shown in the new one.
using RecodeText = std::function<QString(const QString&)>;
// Shows the edit's text anew through recode, unless it is empty.
void recodeEditText(QLineEdit& edit, const RecodeText& recode);

// Where the texts of a row are drawn, in global coordinates: what a dialog should not cover.
QRect rowArea(const ReplaceRunCells& grid, int row);

}  // namespace tarn
