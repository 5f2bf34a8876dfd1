// The small dialog of a prompted replace: "Replace this occurence?" with Yes, No and Abort
// replace. The close box aborts like Abort replace.
#pragma once

#include <QDialog>

class QPushButton;

namespace tarn {

class ProfileFile;

class TReplaceQuestion : public QDialog {
    Q_OBJECT
public:
    // Dialog results: Yes and No; Abort replace and the close box give QDialog::Rejected.
    static constexpr int YesResult = QDialog::Accepted;
    static constexpr int NoResult = 2;

    explicit TReplaceQuestion(QWidget* parent = nullptr);

    QPushButton* Button1;  // Yes
    QPushButton* Button2;  // No
    QPushButton* Button3;  // Abort replace

    // Section "ReplaceQuestion": Left and Top. Without a stored position the dialog is centred
    // over the main window the first time it is shown.
    void loadSettings(const ProfileFile& settings);
    void saveSettings(ProfileFile& settings) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool positionKnown_ = false;
};

}  // namespace tarn
