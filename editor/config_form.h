// "Configuration": the paths of the original and the translated executable.
#pragma once

#include <QDialog>

class QFileDialog;
class QLineEdit;
class QPushButton;

namespace tarn {

class TFoForm;

class TConfigForm : public QDialog {
    Q_OBJECT
public:
    explicit TConfigForm(TFoForm* mainWindow);

    QLineEdit* OrigPath;
    QLineEdit* TransPath;
    QPushButton* OrigBrowse;
    QPushButton* TransBrowse;
    QPushButton* OK;
    QPushButton* Cancel;
    QPushButton* Help;
    QFileDialog* OpenDialog1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OrigPathChange();
    void browse(QLineEdit* edit, bool mustExist);
    void OKClick();

    TFoForm* main_;
    bool initialFolderSet_ = false;
};

}  // namespace tarn
