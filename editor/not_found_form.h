// "Strings not found": lists the numbers of texts whose pointer leads into no text area.
#pragma once

#include <QDialog>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace tarn {

class TNotFoundForm : public QDialog {
    Q_OBJECT
public:
    explicit TNotFoundForm(QWidget* parent);

    // Sets the caption line and the list before the dialog is shown.
    void setNumbers(const QString& label, const std::vector<int>& numbers);

    QLabel* Label1;
    QListWidget* ListBox1;
    QLabel* Label2;
    QPushButton* Button1;
};

}  // namespace tarn
