// SPDX-License-Identifier: GPL-3.0-or-later
// "Translation (PO)": the language IDs of an object-text PO export (the source ID, whose texts
// become the msgids, and the target ID, whose texts become the msgstrs) or of an import (the
// target ID alone); also the pair of IDs the window's checks compare.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarn {

class LangIdEdit;
class LangIdUpDown;

class PoLanguageIdsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PoLanguageIdsDialog(QWidget* parent = nullptr);

    // Shows both IDs for an export, the target alone for an import, with these values.
    void prepare(bool exporting, int sourceId, int targetId);
    // Shows both IDs as the pair the object texts window checks ("Checks").
    void prepareChecks(int sourceId, int targetId);
    int sourceId() const;  // 0 to 254
    int targetId() const;

private:
    QLabel* sourceLabel_;
    LangIdEdit* sourceEdit_;
    LangIdUpDown* sourceUpDown_;
    QLabel* targetLabel_;
    LangIdEdit* targetEdit_;
    LangIdUpDown* targetUpDown_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tarn
