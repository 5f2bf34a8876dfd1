// SPDX-License-Identifier: GPL-3.0-or-later
// The question before a save while texts have errors: save anyway, show the texts with errors,
// or keep the file as it is; and whether to ask again for this file.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

namespace tarn {

class SaveErrorsDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { SaveAnyway, ShowErrors, Cancel };

    explicit SaveErrorsDialog(QWidget* parent);

    // question: what is asked; mayRemember: whether "Don't ask again" can be kept for the file.
    void ask(const QString& question, bool mayRemember);
    Choice choice() const { return choice_; }
    bool dontAskAgain() const;

private:
    void choose(Choice choice);

    QLabel* question_;
    QCheckBox* dontAskBox_;
    Choice choice_ = Cancel;
};

}  // namespace tarn
