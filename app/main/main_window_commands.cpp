// The main window's commands. Their rules are in the StringTableDocument, the core and the
// dialogs; these handlers connect them to the grid and the message boxes.
#include <QLineEdit>
#include <exception>

#include "app/main/about_dialog.h"
#include "app/main/find_and_preview.h"
#include "app/main/font_dialog.h"
#include "app/main/grid_controller.h"
#include "app/main/grid_model.h"
#include "app/main/jump_to_text_dialog.h"
#include "app/main/main_window.h"
#include "app/main/paths_dialog.h"
#include "app/main/save_progress_dialog.h"
#include "app/main/text_grid_view.h"
#include "app/main/texts_history.h"
#include "app/main/unresolved_texts_dialog.h"
#include "app/widgets/help_viewer.h"
#include "app/widgets/prompter.h"
#include "app/widgets/shell.h"
#include "exetext/exe_paths.h"
#include "exetext/string_table_commands.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"

namespace tarn {

namespace {
QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}
}  // namespace

bool MainWindow::checkPaths(const QString& originalPath, const QString& translatedPath) {
    const ExePathCheck check =
        tarn::checkExePaths(originalPath.toStdString(), translatedPath.toStdString());
    if (!check.ok()) {
        prompter().message(fromStd(check.text), fromStd(check.caption), MessageIcon::Error,
                           MessageButtons::Ok);
    }
    return check.ok();
}

void MainWindow::loadExecutables() {
    textGrid_->closeCellEditor();
    LoadedExecutables loaded;
    QString error;
    try {
        tarn::loadExecutables(origExePath_.toStdString(), transExePath_.toStdString(), false,
                              loaded);
    } catch (const std::exception& e) {
        error = fromStd(e.what());  // the grid keeps what was read so far
    }
    origProfile_ = loaded.origProfile;
    transProfile_ = loaded.transProfile;
    document_.load(loaded);
    history_->clear();
    model_->refreshAll();
    showUnresolvedTexts(QStringLiteral("Strings with the following numbers could not be found "
                                       "in the original executable:"),
                        loaded.originalNotFound);
    showUnresolvedTexts(QStringLiteral("Strings with the following numbers could not be found "
                                       "in the translated executable:"),
                        loaded.translatedNotFound);
    document_.setUndoText(std::string());
    rememberCurrentText();
    setModified(false);
    refreshBudgetAndChecks();
    if (!document_.cstyle() && currentHint_.isEmpty()) {
        showCurrentCodes();
    }
    if (!error.isEmpty()) {
        showExceptionMessage(error);
    }
}

void MainWindow::showUnresolvedTexts(const QString& label, const std::vector<int>& numbers) {
    if (!numbers.empty()) {
        unresolvedDialog_->setNumbers(label, numbers);
        prompter().runModal(*unresolvedDialog_);
    }
}

void MainWindow::saveTexts() {
    if (!checkCurrentCell()) {
        return;
    }
    const SaveOutcome outcome =
        saveDialog_->save(transExePath_, document_.translatedTexts(), saveOptions());
    if (outcome.result) {
        applySaveResult(*outcome.result);
    }
    if (!outcome.error.isEmpty()) {
        showExceptionMessage(outcome.error);
    }
}

SaveOptions MainWindow::saveOptions() const {
    SaveOptions options;
    options.textErrors = document_.translatedErrors();
    options.primaryLangId = document_.primaryLangId();
    options.secondaryLangId = document_.secondaryLangId();
    return options;
}

void MainWindow::applySaveResult(const SaveResult& result) {
    // Modified stays set when a text could only be stored as "-Error!-".
    document_.saveFinished(result);
    if (result.saved) {
        history_->markSaved(result.cstyleErrors.empty());
    }
    model_->refreshAll();
    enableSave();
    refreshBudgetAndChecks();  // says by how much the texts are too long
    if (!result.saved) {
        showPlainMessage(fromStd(std::string(kNotEnoughSpaceMessage)));
        return;
    }
    setHint(fromStd(freeSpaceText(result.freeSpace)));
}

void MainWindow::runGame() {
    if (document_.modified()) {
        saveTexts();
    }
    if (document_.modified()) {
        return;  // the save failed or was refused: the game is not started
    }
    const QString why = runExecutable(transExePath_);
    if (!why.isEmpty()) {
        prompter().message(why, QStringLiteral("Run"), MessageIcon::Information,
                           MessageButtons::Ok);
    }
}

void MainWindow::choosePaths() {
    if (!checkCurrentCell()) {
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
            saveTexts();
            if (document_.modified()) {
                return;
            }
        }
    }
    pathsDialog_->setPaths(origExePath_, transExePath_);
    if (prompter().runModal(*pathsDialog_) == QDialog::Accepted) {
        loadExecutables();
    }
}

void MainWindow::copyOriginalTexts() {
    if (!checkCurrentCell()) {
        return;
    }
    const MessageAnswer answer = prompter().message(
        QStringLiteral("This will copy all strings on the left side to the right.\n\rAll strings "
                       "on the right will be lost.\n\rAre you sure you want to do that?"),
        QStringLiteral("Confirmation"), MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) {
        return;
    }
    textGrid_->closeCellEditor();
    history_->push(copyOriginalToTranslated(document_));
}

void MainWindow::undo() {
    if (QLineEdit* editor = cellEditor(); editor != nullptr && editor->isUndoAvailable()) {
        editor->undo();
        return;
    }
    if (!checkCurrentCell()) {
        return;
    }
    textGrid_->closeCellEditor();
    history_->undo();
}

void MainWindow::redo() {
    if (QLineEdit* editor = cellEditor(); editor != nullptr && editor->isRedoAvailable()) {
        editor->redo();
        return;
    }
    if (!checkCurrentCell()) {
        return;
    }
    textGrid_->closeCellEditor();
    history_->redo();
}

void MainWindow::jumpToText() {
    if (!checkCurrentCell()) {
        return;
    }
    if (prompter().runModal(*jumpDialog_) == QDialog::Accepted) {
        selectCell(jumpDialog_->number(), StringTableDocument::OriginalColumn);
    }
}

void MainWindow::goToNextUntranslated() {
    gridController_->goToNextUntranslated();
}

void MainWindow::toggleNotation() {
    // The action's check mark follows the document, not the click.
    if (!checkCurrentCell()) {
        notationAction_->setChecked(document_.cstyle());
        return;
    }
    textGrid_->closeCellEditor();
    const auto errors = document_.toggleNotation();
    notationAction_->setChecked(document_.cstyle());
    model_->refreshAll();
    refreshBudgetAndChecks();
    for (const auto& error : errors) {
        showPlainMessage(QStringLiteral("Error in string number ") + QString::number(error.row) +
                         QStringLiteral(": ") + fromStd(error.message));
    }
    history_->endCellEdit();
    rememberCurrentText();
    if (document_.cstyle()) {
        showStatus(QString());
    } else if (currentHint_.isEmpty()) {
        showCurrentCodes();
    }
}

void MainWindow::chooseFont() {
    FontDialog dialog(font_, fontCharset_, this);
    if (prompter().runModal(dialog) == QDialog::Accepted) {
        applyFont(dialog.selectedFont());
        setFontCharset(dialog.charset());
    }
}

void MainWindow::showFind() {
    if (!checkCurrentCell()) {
        return;
    }
    findAndPreview_->showFind();
}

void MainWindow::replaceTexts() {
    if (!checkCurrentCell()) {
        return;
    }
    findAndPreview_->runReplace();
    refreshBudgetAndChecks();
}

void MainWindow::togglePreview() {
    findAndPreview_->togglePreview();  // the action's check mark tells whether to show it
}

void MainWindow::showAbout() {
    prompter().runModal(*aboutDialog_);
}

void MainWindow::showHelpContents() {
    showHelp(helpFile(), 0, this);
}

void MainWindow::showHelpOverview() {
    showHelp(helpFile(), kMainHelpContext, this);
}

}  // namespace tarn
