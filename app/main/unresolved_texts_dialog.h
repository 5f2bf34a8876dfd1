// SPDX-License-Identifier: GPL-3.0-or-later
// "Strings not found": lists the numbers of texts whose pointer leads into no text area.
#pragma once

#include <QDialog>
#include <vector>

class QLabel;
class QListWidget;

namespace tarn {

class UnresolvedTextsDialog : public QDialog {
    Q_OBJECT
public:
    explicit UnresolvedTextsDialog(QWidget* parent);

    // Sets the caption line and the list before the dialog is shown.
    void setNumbers(const QString& label, const std::vector<int>& numbers);

private:
    QLabel* captionLabel_;
    QListWidget* numberList_;
};

}  // namespace tarn
