// The Find dialog: moves the grid's current cell to the next cell, in reading order forward or
// backward, whose text contains the search text. Modeless and on top; never changes a text.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarn {

class TextGrid;

class TFindForm : public QDialog {
    Q_OBJECT
public:
    explicit TFindForm(TextGrid& grid, QWidget* parent = nullptr);

    QLineEdit* SearchText;
    QPushButton* FindNext;
    QPushButton* CloseForm;
    QButtonGroup* SearchIn;   // 0 original texts, 1 translated texts, 2 both
    QButtonGroup* Direction;  // 0 forward, 1 backward
    QCheckBox* CaseSens;
    QCheckBox* WholeWords;

public slots:
    void SearchTextChange();
    void FindNextClick();
    void CloseFormClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TextGrid& grid_;
};

}  // namespace tarn
