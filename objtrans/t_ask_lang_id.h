// "New language ID": asks for the ID of a new entry of a text group. Keeps its value between
// showings.
#pragma once

#include <QDialog>

#include "objtrans/lang_id_edit.h"

class QPushButton;

namespace tarn {

class TAskLangID : public QDialog {
    Q_OBJECT
public:
    explicit TAskLangID(QWidget* parent = nullptr);

    int id() const { return UpDown1->position(); }

    LangIdEdit* Edit1;
    LangIdUpDown* UpDown1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace tarn
