// The Replace dialog: replaces occurrences of a text in the translated texts (column 2), over
// all texts or from the current row up or down, silently or asking for each occurrence while
// it is shown selected over its cell. Modal; hidden while a run goes on.
#pragma once

#include <QDialog>
#include <cstddef>

#include "textcodes/replace_scan.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarn {

class TextGrid;
class TMyEdit;
class TReplaceQuestion;

class TReplaceForm : public QDialog {
    Q_OBJECT
public:
    // The dialog's result when Replace was pressed: the run starts once it is hidden.
    static constexpr int RunReplaceResult = 2;

    TReplaceForm(TextGrid& grid, TReplaceQuestion& question, QWidget* parent = nullptr);

    // Shows the dialog modally, runs a replace each time Replace is pressed and shows the
    // dialog again afterwards, until Close or Esc.
    void execute();
    // One replace run with the dialog's settings (the body of Replace).
    void runReplace();

    QLineEdit* ToFind;
    QLineEdit* NewText;
    QPushButton* Replace;
    QPushButton* Close;
    QButtonGroup* Scope;  // 0 entire text, 1 from cursor downwards, 2 from cursor upwards
    QCheckBox* CaseSens;
    QCheckBox* WholeWords;
    QCheckBox* WholeText;
    QCheckBox* Prompt;

public slots:
    void ToFindChange();
    void WholeWordsClick();
    void WholeTextClick();
    void ReplaceClick();

private:
    ReplaceAnswer ConfirmReplace(int row, std::size_t position, std::size_t length);

    TextGrid& grid_;
    TReplaceQuestion& question_;
    TMyEdit* ReplaceOverlay = nullptr;  // exists only while a run goes on
};

}  // namespace tarn
