// "Please wait...": the modal progress window of a save. Its work starts once it is on screen
// and it closes itself when the save has ended, however it ended.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace tarn {

class TFoForm;

class TFormSave : public QDialog {
    Q_OBJECT
public:
    explicit TFormSave(TFoForm* mainWindow);

    QLabel* Label1;  // the phase
    QProgressBar* ProgressBar1;
    QLabel* Label2;  // the count

public slots:
    void reject() override;  // the window cannot be closed by the user

protected:
    void showEvent(QShowEvent* event) override;

private:
    void saveStrings();

    TFoForm* main_;
    bool working_ = false;
};

}  // namespace tarn
