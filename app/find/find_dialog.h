// SPDX-License-Identifier: GPL-3.0-or-later
// The Find dialog: moves the grid's current cell to the next cell, in reading order forward or
// backward, whose text contains the search text. Modeless and on top; never changes a text.
#pragma once

#include <QDialog>
#include <optional>

#include "app/find/dialog_controls.h"
#include "textcodes/find_scan.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarn {

class ReplaceRunCells;

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(ReplaceRunCells& grid, QWidget* parent = nullptr);

    QString searchText() const;

public slots:
    // Moves to the next cell holding the search text, or says that there is none.
    void findNext();
    // The grid's code page changed: the search text shows its bytes in the new one.
    void recodeTexts(const RecodeText& recode);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void enableFindNext();

    ReplaceRunCells& grid_;
    // The cell found last: the next search goes on from it while the grid stays on that row.
    std::optional<GridCell> lastFound_;
    QLineEdit* searchTextEdit_;
    QPushButton* findNextButton_;
    QPushButton* closeButton_;
    QButtonGroup* searchInButtons_;   // 0 original texts, 1 translated texts, 2 both
    QButtonGroup* directionButtons_;  // 0 forward, 1 backward
    QCheckBox* caseSensitiveBox_;
    QCheckBox* wholeWordsBox_;
};

}  // namespace tarn
