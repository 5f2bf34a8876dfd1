// The main window's commands. Their rules are in the StringTableDocument, the core and the
// dialogs; these handlers connect them to the grid and the message boxes.
#include <QFontDialog>
#include <QGroupBox>
#include <exception>

#include "editor/about_form.h"
#include "editor/config_form.h"
#include "editor/find_and_preview.h"
#include "editor/form_save.h"
#include "editor/grid_model.h"
#include "editor/jump_to_form.h"
#include "editor/not_found_form.h"
#include "editor/string_grid.h"
#include "editor/tfo_form.h"
#include "exetext/exe_paths.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"
#include "app/widgets/help_viewer.h"
#include "app/widgets/prompter.h"
#include "app/widgets/shell.h"

namespace tarn {

namespace {
QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}
}  // namespace

bool TFoForm::checkExePaths(const QString& originalPath, const QString& translatedPath) {
    const ExePathCheck check =
        tarn::checkExePaths(originalPath.toStdString(), translatedPath.toStdString());
    if (!check.ok()) {
        prompter().message(fromStd(check.text), fromStd(check.caption), MessageIcon::Error,
                           MessageButtons::Ok);
    }
    return check.ok();
}

void TFoForm::LoadExecutables() {
    StringGrid1->closeCellEditor();
    LoadedExecutables loaded;
    QString error;
    try {
        loadExecutables(OrigExePath.toStdString(), TransExePath.toStdString(), document_.cstyle(),
                        loaded);
    } catch (const std::exception& e) {
        error = fromStd(e.what());  // the grid keeps what was read so far
    }
    OrigProfile = loaded.origProfile;
    TransProfile = loaded.transProfile;
    document_.load(loaded);
    model_->refreshAll();
    if (!loaded.originalNotFound.empty()) {
        NotFoundForm->setNumbers(QStringLiteral("Strings with the following numbers could not be "
                                                "found in the original executable:"),
                                 loaded.originalNotFound);
        prompter().runModal(*NotFoundForm);
    }
    if (!loaded.translatedNotFound.empty()) {
        NotFoundForm->setNumbers(QStringLiteral("Strings with the following numbers could not be "
                                                "found in the translated executable:"),
                                 loaded.translatedNotFound);
        prompter().runModal(*NotFoundForm);
    }
    const int row = currentRow();
    const int column = currentColumn();
    document_.setUndoText(row >= 1 && column >= 1 ? document_.cell(row, column) : std::string());
    setModified(false);
    if (!document_.cstyle() && currentHint_.isEmpty()) {
        showCurrentCodes();
    }
    if (!error.isEmpty()) {
        showExceptionMessage(error);
    }
}

void TFoForm::SaveTexts() {
    if (!CheckCurrentCell()) {
        return;
    }
    prompter().runModal(*FormSave);
}

SaveOptions TFoForm::saveOptions() const {
    SaveOptions options;
    options.cstyle = document_.cstyle();
    options.primaryLangId = document_.primaryLangId();
    options.secondaryLangId = document_.secondaryLangId();
    return options;
}

void TFoForm::saveFinished(const SaveResult& result) {
    document_.saveFinished(result);
    model_->refreshAll();
    SaveUpdate();
    if (!result.saved) {
        showPlainMessage(fromStd(std::string(kNotEnoughSpaceMessage)));
        return;
    }
    setHint(fromStd(freeSpaceText(result.freeSpace)));
}

void TFoForm::RunExecute() {
    if (document_.modified()) {
        SaveTexts();
    }
    if (document_.modified()) {
        return;  // the save failed or was refused: the game is not started
    }
    const QString why = runExecutable(TransExePath);
    if (!why.isEmpty()) {
        prompter().message(why, QStringLiteral("Run"), MessageIcon::Information,
                           MessageButtons::Ok);
    }
}

void TFoForm::ConfigureExecute() {
    if (!CheckCurrentCell()) {
        return;
    }
    if (document_.modified()) {
        const MessageAnswer answer = prompter().message(
            QStringLiteral("The texts were modified since you last saved them\n\rDo you want to "
                           "save them before you enter another paths?"),
            QStringLiteral("Unsaved changes"), MessageIcon::Question, MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::Cancel) {
            return;
        }
        if (answer == MessageAnswer::Yes) {
            SaveTexts();
            if (document_.modified()) {
                return;
            }
        }
    }
    if (prompter().runModal(*ConfigForm) == QDialog::Accepted) {
        LoadExecutables();
    }
}

void TFoForm::CopyStringsExecute() {
    if (!CheckCurrentCell()) {
        return;
    }
    const MessageAnswer answer = prompter().message(
        QStringLiteral("This will copy all strings on the left side to the right.\n\rAll strings "
                       "on the right will be lost.\n\rAre you sure you want to do that?"),
        QStringLiteral("Confirmation"), MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) {
        return;
    }
    StringGrid1->closeCellEditor();
    document_.copyOriginalToTranslated();
    model_->refreshAll();
    setModified(true);
}

void TFoForm::JumpToExecute() {
    if (!CheckCurrentCell()) {
        return;
    }
    if (prompter().runModal(*JumpToForm) == QDialog::Accepted) {
        selectCell(JumpToForm->number(), StringTableDocument::OriginalColumn);
    }
}

void TFoForm::NextUntransExecute() {
    if (!CheckCurrentCell()) {
        return;
    }
    const int row = document_.nextUntranslated(currentRow());
    if (row != 0) {
        selectCell(row, StringTableDocument::TranslatedColumn);
        return;
    }
    prompter().message(QStringLiteral("No more untranslated texts"), QStringLiteral("Information"),
                       MessageIcon::Information, MessageButtons::Ok);
}

void TFoForm::CStyleExecute() {
    // The action's check mark follows the document, not the click.
    if (!CheckCurrentCell()) {
        CStyle->setChecked(document_.cstyle());
        return;
    }
    StringGrid1->closeCellEditor();
    const auto errors = document_.toggleNotation();
    CStyle->setChecked(document_.cstyle());
    model_->refreshAll();
    for (const auto& error : errors) {
        showPlainMessage(QStringLiteral("Error in string number ") + QString::number(error.row) +
                         QStringLiteral(": ") + fromStd(error.message));
    }
    const int row = currentRow();
    const int column = currentColumn();
    if (row >= 1 && column >= 1) {
        document_.setUndoText(document_.cell(row, column));
    }
    if (document_.cstyle()) {
        showStatus(QString());
    } else if (currentHint_.isEmpty()) {
        showCurrentCodes();
    }
}

void TFoForm::ChangeFontExecute() {
    QFontDialog dialog(font_, this);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    // No effects section: no colour, underline or strike-out choices.
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
        box->hide();
    }
    if (prompter().runModal(dialog) == QDialog::Accepted) {
        applyFont(dialog.selectedFont());
    }
}

void TFoForm::FindExecute() {
    if (!CheckCurrentCell()) {
        return;
    }
    FindPreview->showFind();
}

void TFoForm::ReplaceExecute() {
    if (!CheckCurrentCell()) {
        return;
    }
    FindPreview->runReplace();
}

void TFoForm::PreviewExecute() {
    FindPreview->PreviewExecute();  // the action's check mark tells whether to show it
}

void TFoForm::AboutExecute() {
    prompter().runModal(*AboutForm);
}

void TFoForm::HelpContentsExecute() {
    showHelp(helpFile(), 0);
}

void TFoForm::HelpOverviewExecute() {
    showHelp(helpFile(), kMainHelpContext);
}

}  // namespace tarn
