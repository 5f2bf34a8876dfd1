// SPDX-License-Identifier: GPL-3.0-or-later
// "Configuration": the paths of the original and the translated executable. OK hands the paths
// to a check function first; the dialog stays open while they are refused.
#pragma once

#include <QDialog>
#include <functional>

class QFileDialog;
class QLineEdit;
class QPushButton;

namespace tarn {

class PathsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 5;

    // check: whether the paths can be used (it shows the reason when not); helpFile: the help
    // file opened by the Help button.
    using CheckPaths = std::function<bool(const QString& original, const QString& translated)>;
    PathsDialog(CheckPaths check, QString helpFile, QWidget* parent);

    // The paths shown when the dialog opens next.
    void setPaths(const QString& original, const QString& translated);

signals:
    // OK with paths the check accepted, after the dialog closed.
    void pathsChosen(const QString& original, const QString& translated);

private:
    void enableOk();
    void browse(QLineEdit* edit, bool mustExist);
    void confirm();

    CheckPaths check_;
    QString helpFile_;
    bool initialFolderSet_ = false;
    QLineEdit* originalEdit_;
    QLineEdit* translatedEdit_;
    QPushButton* okButton_;
    QFileDialog* fileDialog_;
};

}  // namespace tarn
