// "End-user translator executable settings": which texts go into the end-user program, whether
// it re-encodes run-length files with the enhanced encoder, the console messages it shows in the
// translator's language, and the file to write.
#pragma once

#include <QDialog>
#include <QString>

#include <string_view>

#include "enduser/carried_patcher.h"
#include "enduser/end_user_program.h"

class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTabWidget;

namespace tarn {

class LangIdEdit;
class LangIdUpDown;

class TCreateEXESettings : public QDialog {
    Q_OBJECT
public:
    explicit TCreateEXESettings(QWidget* parent = nullptr);

    // -1 for "Update all texts", otherwise the single language ID.
    int textId() const;
    void setTextId(int id);
    QString text(int row) const;  // row 0..14 of EXETexts: message messageEntry(row)
    void setText(int row, const QString& text);
    // The options of a build as the dialog holds them.
    EndUserOptions options() const;
    // The system the end-user program is built for: Windows or this one.
    PatcherTarget target() const;
    // Selects the target by its stored name ("windows", "native"); a name this program does not
    // know or a target it does not carry selects the default instead.
    void setTarget(std::string_view name);
    // The file chosen in the save dialog by the last CreateExe click.
    const QString& fileName() const { return fileName_; }

    QTabWidget* PageControl1;
    QWidget* Options;
    QRadioButton* AllTexts;
    QRadioButton* JustOneID;
    LangIdEdit* Edit1;
    LangIdUpDown* ID;
    QCheckBox* EnhRLE;
    QGroupBox* TargetGroup;
    QRadioButton* TargetWindows;
    QRadioButton* TargetNative;
    QWidget* Texts;
    QTableWidget* EXETexts;
    QLineEdit* YesChars;
    QPushButton* CreateExe;
    QPushButton* Cancel;
    QFileDialog* SaveDialog1;

public slots:
    void CreateExeClick();

private:
    void createOptionsPage();
    QGroupBox* createTargetGroup();
    void createTextsPage();
    void AllTextsClick();
    bool confirmTarget(const QString& path);

    QString fileName_;
};

}  // namespace tarn
