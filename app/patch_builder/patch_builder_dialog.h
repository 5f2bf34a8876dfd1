// SPDX-License-Identifier: GPL-3.0-or-later
// "End-user translator executable settings": which texts go into the end-user program (and
// whether the executable's do), whether it re-encodes run-length files with the enhanced
// encoder, the console messages it shows in the translator's language, the system it runs on,
// and the file to write.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

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

struct ExecutablePair {
    QString original;
    QString translated;
    bool mayGrow = false;
};

class PatchBuilderDialog : public QDialog {
    Q_OBJECT
public:
    explicit PatchBuilderDialog(QWidget* parent = nullptr);

    // -1 for "Update all texts", otherwise the single language ID.
    int textId() const;
    void setTextId(int id);
    bool enhancedRle() const;
    void setEnhancedRle(bool enhanced);
    QString text(int row) const;  // row 0..16 of the displayed messages: message messageEntry(row)
    // A stored text equal to an earlier English default shows the current default instead.
    void setText(int row, const QString& text);
    QString yesChars() const;
    void setYesChars(const QString& chars);
    // The options of a build as the dialog holds them.
    EndUserOptions options() const;
    // The system the end-user program is built for: Windows or this one.
    PatcherTarget target() const;
    // Selects the target by its stored name ("windows", "native"); a name this program does not
    // know or a target it does not carry selects the default instead.
    void setTarget(std::string_view name);
    // The message rows whose question offers an answer letter the yes characters do not take;
    // the Messages page marks them.
    std::vector<std::size_t> questionsOfferingOtherAnswers() const;
    // The translator's two executables (either empty when not set) and whether the translated
    // one may grow: "Include the executable's texts and language" is offered when both are set,
    // and checked whenever the pair changes.
    void setExecutables(const QString& original, const QString& translated, bool mayGrow);
    // The executables whose texts the build carries; nullopt when they are not included.
    std::optional<ExecutablePair> includedExecutables() const;
    // The file chosen in the save dialog when the dialog was last accepted.
    const QString& fileName() const { return fileName_; }

public slots:
    // Asks for the file in the save dialog; a file that may be written closes this dialog.
    void chooseFileAndAccept();

private:
    void createOptionsPage();
    QGroupBox* createTargetGroup();
    void createTextsPage();
    void nameParts();
    void updateIdEnabled();
    void markQuestionsOfferingOtherAnswers();
    void followTarget();
    QFileDialog& saveFileDialog();
    bool confirmAnswerLetters();
    bool confirmTarget(const QString& path);

    QTabWidget* pages_;
    QWidget* optionsPage_ = nullptr;
    QRadioButton* allTextsRadio_ = nullptr;
    QRadioButton* oneIdRadio_ = nullptr;
    LangIdEdit* idEdit_ = nullptr;
    LangIdUpDown* idUpDown_ = nullptr;
    QCheckBox* enhancedRleCheck_ = nullptr;
    QCheckBox* includeExecutableCheck_ = nullptr;
    QString originalExecutable_;
    QString translatedExecutable_;
    bool executableMayGrow_ = false;
    QGroupBox* targetGroup_ = nullptr;
    QRadioButton* windowsTargetRadio_ = nullptr;
    QRadioButton* nativeTargetRadio_ = nullptr;
    QWidget* textsPage_ = nullptr;
    QTableWidget* messagesTable_ = nullptr;
    QLineEdit* yesCharsEdit_ = nullptr;
    QPushButton* createButton_;
    QPushButton* cancelButton_;
    QFileDialog* saveFileDialog_ = nullptr;
    QString fileName_;
};

}  // namespace tarn
