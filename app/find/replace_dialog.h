// SPDX-License-Identifier: GPL-3.0-or-later
// The Replace dialog: replaces occurrences of a text in the translated texts (column 2), over
// all texts or from the current row up or down, silently or asking for each occurrence while
// it is shown selected over its cell. Modal; hidden while a run goes on.
#pragma once

#include <QDialog>
#include <cstddef>

#include "app/find/dialog_controls.h"
#include "textcodes/replace_scan.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarn {

class ReplaceRunCells;
class OccurrenceOverlay;
class ReplacePrompt;

class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    // The dialog's result when Replace was pressed: the run starts once it is hidden.
    static constexpr int RunReplaceResult = 2;

    ReplaceDialog(ReplaceRunCells& grid, ReplacePrompt& prompt, QWidget* parent = nullptr);

    // Shows the dialog modally, runs a replace each time Replace is pressed and shows the
    // dialog again afterwards, until Close or Esc.
    void execute();
    // One replace run with the dialog's settings (the body of Replace).
    void runReplace();
    // The grid's code page changed: both texts show their bytes in the new one.
    void recodeTexts(const RecodeText& recode);
    // The text to find takes over the Find window's text, when there is one.
    void startFrom(const QString& findText);

private:
    void enableReplace();
    // Whole words and whole texts exclude each other.
    void uncheckWholeText();
    void uncheckWholeWords();
    ReplaceAnswer confirmReplace(int row, std::size_t position, std::size_t length);

    ReplaceRunCells& grid_;
    ReplacePrompt& prompt_;
    OccurrenceOverlay* overlay_ = nullptr;  // exists only while a run goes on
    QLineEdit* toFindEdit_;
    QLineEdit* newTextEdit_;
    QPushButton* replaceButton_;
    QPushButton* closeButton_;
    QButtonGroup* scopeButtons_;  // 0 entire text, 1 from cursor downwards, 2 from cursor upwards
    QCheckBox* caseSensitiveBox_;
    QCheckBox* wholeWordsBox_;
    QCheckBox* wholeTextBox_;
    QCheckBox* promptBox_;
};

// "12 replacements in 9 texts": what a run did.
QString replacementCount(int replacements, int texts);

}  // namespace tarn
