// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's buttons: the saving option, Save (also on the desktop's save key),
// the end-user program, the PO commands, the checks and Close. The panel lays them out; the
// window and its parts connect to them.
#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace tarn {

class ObjectButtonPanel : public QWidget {
    Q_OBJECT
public:
    // The save key is the window's: it works wherever the focus is in it.
    explicit ObjectButtonPanel(QWidget& window);

    // The "Enhanced RLE encoding" choice used when saving.
    bool enhancedRle() const;
    void setEnhancedRle(bool enhanced);

    QPushButton& saveButton() const { return *saveButton_; }
    QPushButton& buildPatchButton() const { return *buildPatchButton_; }
    QPushButton& exportPoButton() const { return *exportPoButton_; }
    QPushButton& importPoButton() const { return *importPoButton_; }
    QPushButton& checksButton() const { return *checksButton_; }
    QPushButton& closeButton() const { return *closeButton_; }

private:
    void addSaveKey(QWidget& window);
    void layOut();

    QCheckBox* enhancedRleCheck_;
    QPushButton* saveButton_;
    QPushButton* buildPatchButton_;
    QPushButton* exportPoButton_;
    QPushButton* importPoButton_;
    QPushButton* checksButton_;
    QPushButton* closeButton_;
};

}  // namespace tarn
