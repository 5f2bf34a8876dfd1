// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/file_actions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QStringList>
#include <exception>

#include "app/main/app_settings.h"
#include "app/main/paths_dialog.h"
#include "app/main/recovery_keeper.h"
#include "app/main/save_progress_dialog.h"
#include "app/main/status_line.h"
#include "app/main/texts_session.h"
#include "app/main/unresolved_texts_dialog.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/prompter.h"
#include "app/widgets/shell.h"
#include "app/widgets/text_grid_view.h"
#include "exetext/exe_paths.h"
#include "exetext/recovery_journal.h"
#include "exetext/space_budget.h"
#include "exetext/string_table_reader.h"
#include "exetext/string_table_writer.h"

namespace tarn {

namespace {

// How many of the texts that do not fit the not-enough-space box names.
constexpr std::size_t kNamedUnplacedTexts = 10;

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// "\n\rFirst texts that do not fit: 12, 40, 41": where to start shortening.
QString unplacedTextsLine(int profile, const std::vector<std::string>& texts) {
    if (profile < 1) {
        return {};
    }
    const SpaceBudget budget =
        spaceBudget(profileByNumber(profile).textAreas, texts, Notation::Raw);
    QStringList numbers;
    for (std::size_t i = 0; i < budget.unplaced.size() && i < kNamedUnplacedTexts; ++i) {
        numbers << QString::number(budget.unplaced[i]);
    }
    return numbers.isEmpty() ? QString()
                             : QStringLiteral("\n\rFirst texts that do not fit: ") +
                                   numbers.join(QStringLiteral(", "));
}

}  // namespace

FileActions::FileActions(WindowParts& parts, const QString& helpFile)
    : QObject(&parts.window),
      parts_(parts),
      guard_(parts.session, [] { return QCoreApplication::applicationName(); }) {
    pathsDialog_ = new PathsDialog(
        [this](const QString& original, const QString& translated) {
            return checkPaths(original, translated);
        },
        helpFile, &parts.window);
    connect(pathsDialog_, &PathsDialog::pathsChosen, this, &FileActions::usePaths);
    saveDialog_ = new SaveProgressDialog(&parts.window);
    unresolvedDialog_ = new UnresolvedTextsDialog(&parts.window);
    recovery_ = new RecoveryKeeper(
        parts.session, parts.settingsPath, [this] { return parts_.executables.translatedPath; },
        this);
    connect(recovery_, &RecoveryKeeper::journalProblem, this, [this](const QString& reason) {
        parts_.status.show(reason.isEmpty()
                               ? QStringLiteral("Unsaved edits are kept for recovery again.")
                               : QStringLiteral("Unsaved edits cannot be kept for recovery: %1")
                                     .arg(reason));
    });
}

void FileActions::closeCleanly() {
    recovery_->closeCleanly();
    guard_.release();
}

void FileActions::openAtStart() {
    OpenExecutables& exes = parts_.executables;
    if (exes.originalPath.isEmpty() || exes.translatedPath.isEmpty()) {
        prompter().message(QStringLiteral("You are running this program for the first time\n\r"
                                          "Please enter the locations of the necessary files"),
                           QStringLiteral("First run"), MessageIcon::Information,
                           MessageButtons::Ok);
        askPathsAtStart();
        return;
    }
    if (checkPaths(exes.originalPath, exes.translatedPath)) {
        loadExecutables();
        return;
    }
    askPathsAtStart();
}

void FileActions::askPathsAtStart() {
    pathsDialog_->setPaths(parts_.executables.originalPath, parts_.executables.translatedPath);
    if (prompter().runModal(*pathsDialog_) == QDialog::Accepted) {
        loadExecutables();
    } else {
        parts_.window.close();
    }
}

bool FileActions::checkPaths(const QString& originalPath, const QString& translatedPath) {
    const ExePathCheck check =
        tarn::checkExePaths(toFilePath(originalPath), toFilePath(translatedPath));
    if (!check.ok()) {
        prompter().message(fromStd(check.text), fromStd(check.caption), MessageIcon::Error,
                           MessageButtons::Ok);
    }
    return check.ok();
}

void FileActions::usePaths(const QString& originalPath, const QString& translatedPath) {
    parts_.executables.originalPath = originalPath;
    parts_.executables.translatedPath = translatedPath;
    ProfileFile ini = openSettings(parts_);
    try {
        writePaths(ini, {originalPath.toStdString(), translatedPath.toStdString()});
    } catch (const std::exception& e) {
        // The paths hold for this run even when they cannot be stored.
        showExceptionMessage(fromStd(e.what()));
    }
}

void FileActions::loadExecutables() {
    parts_.grid.closeCellEditor();
    OpenExecutables& exes = parts_.executables;
    LoadedExecutables loaded;
    QString error;
    try {
        tarn::loadExecutables(toFilePath(exes.originalPath), toFilePath(exes.translatedPath),
                              Notation::Raw, loaded);
    } catch (const std::exception& e) {
        error = fromStd(e.what());  // the grid keeps what was read so far
    }
    exes.originalProfile = loaded.origProfile;
    exes.translatedProfile = loaded.transProfile;
    parts_.session.load(loaded);
    showUnresolvedTexts(QStringLiteral("Strings with the following numbers could not be found "
                                       "in the original executable:"),
                        loaded.originalNotFound);
    showUnresolvedTexts(QStringLiteral("Strings with the following numbers could not be found "
                                       "in the translated executable:"),
                        loaded.translatedNotFound);
    lockTranslated();
    if (error.isEmpty()) {
        recovery_->offerRecovery();  // edits a crash left behind, as one step
    }
    if (!error.isEmpty()) {
        showExceptionMessage(error);
    }
}

void FileActions::lockTranslated() {
    guard_.lock(toFilePath(parts_.executables.translatedPath),
                QFileInfo(parts_.executables.translatedPath).fileName());
}

void FileActions::showUnresolvedTexts(const QString& label, const std::vector<int>& numbers) {
    if (!numbers.empty()) {
        unresolvedDialog_->setNumbers(label, numbers);
        prompter().runModal(*unresolvedDialog_);
    }
}

void FileActions::save() {
    if (isReadOnly()) {
        prompter().message(QStringLiteral("The texts are open read-only: another program is "
                                          "editing them. Nothing was saved."),
                           QCoreApplication::applicationName(), MessageIcon::Warning,
                           MessageButtons::Ok);
        return;
    }
    if (!parts_.cellRules.checkCurrentCell() || (mayWrite_ && !mayWrite_()) ||
        !mayWriteOverOutsideChange()) {
        return;
    }
    writeTranslated();
}

void FileActions::writeTranslated() {
    const FileIdentity before = identityBeforeSave();
    SaveOptions options = saveOptions();
    if (before.known) {
        options.expected = before;  // the file the user chose to write over
    }
    const SaveOutcome outcome = saveDialog_->save(parts_.executables.translatedPath,
                                                  parts_.document.translatedTexts(), options);
    if (outcome.changedElsewhere) {
        // Another program wrote the file while this save was under way: nothing was written,
        // and the user is asked as before any save over another program's change.
        if (mayWriteOverOutsideChange()) {
            writeTranslated();
        }
        return;
    }
    if (!outcome.result) {
        noteFileReplacedByFailedSave(before);
    }
    if (outcome.result) {
        if (outcome.result->saved) {
            // What the file now holds is what the next unsaved edits are edits of.
            try {
                parts_.session.setOnDisk(
                    readTranslatedFile(toFilePath(parts_.executables.translatedPath)));
            } catch (const std::exception&) {
                TranslatedFileState unknown = parts_.document.onDisk();
                unknown.identity = {};
                parts_.session.setOnDisk(std::move(unknown));
            }
        }
        applySaveResult(*outcome.result);
    }
    if (outcome.error) {
        showExceptionMessage(QString::fromStdString(describe(*outcome.error)));
    }
}

FileIdentity FileActions::identityBeforeSave() const {
    try {
        return takeFileIdentity(toFilePath(parts_.executables.translatedPath),
                                parts_.document.onDisk().identity.parts);
    } catch (const std::exception&) {
        return {};  // unreadable now: the save reports why
    }
}

void FileActions::noteFileReplacedByFailedSave(const FileIdentity& before) {
    // A save can fail after the new file took the old one's place (flushing the folder): the
    // file then holds this window's texts, and the next save must not take that for another
    // program's change. The texts stay modified, so that Save writes them again.
    try {
        TranslatedFileState now = readTranslatedFile(toFilePath(parts_.executables.translatedPath));
        if (before.known && !now.identity.sameMetadata(before)) {
            parts_.session.setOnDisk(std::move(now));
        }
    } catch (const std::exception&) {
        // Unreadable: the next save asks, as for any file it cannot check.
    }
}

bool FileActions::mayWriteOverOutsideChange() {
    const QString& path = parts_.executables.translatedPath;
    if (!changedOnDisk(toFilePath(path), parts_.document.onDisk().identity)) {
        return true;
    }
    return guard_.askAboutOutsideChange(
               QFileInfo(path).fileName(), [this] { return reloadTranslated(); },
               [](const QString& numbers) {
                   return QStringLiteral(
                              "These texts were changed both here and in the file; "
                              "they now hold the file's text, and Undo brings your "
                              "edits back:\n\r") +
                          numbers;
               }) == FileGuard::OutsideChange::Overwrite;
}

std::vector<std::size_t> FileActions::reloadTranslated() {
    const QString& path = parts_.executables.translatedPath;
    return parts_.session.reload(readTranslatedFile(toFilePath(path)),
                                 "Reload " + QFileInfo(path).fileName().toStdString());
}

SaveOptions FileActions::saveOptions() const {
    SaveOptions options;
    options.textErrors = parts_.document.translatedErrors();
    options.primaryLangId = parts_.document.primaryLangId();
    options.secondaryLangId = parts_.document.secondaryLangId();
    options.grow = parts_.executables.mayGrow;
    return options;
}

void FileActions::applySaveResult(const SaveResult& result) {
    // Modified stays set when a text could only be stored as "-Error!-".
    parts_.session.finishSave(result);
    if (!result.saved) {
        showPlainMessage(fromStd(std::string(kNotEnoughSpaceMessage)) +
                         QStringLiteral("\n\rOr let it grow: File > Let the executable grow "
                                        "when the texts do not fit") +
                         unplacedTextsLine(result.profile, parts_.document.translatedTexts()));
        return;
    }
    parts_.status.setGridHint(fromStd(freeSpaceText(result.freeSpace)));
    if (!parts_.session.isModified()) {
        parts_.status.showBriefly(QStringLiteral("Saved"));
    }
}

void FileActions::run() {
    if (parts_.session.isModified()) {
        save();
    }
    if (parts_.session.isModified()) {
        return;  // the save failed or was refused: the game is not started
    }
    const QString why = runExecutable(parts_.executables.translatedPath);
    if (!why.isEmpty()) {
        prompter().message(why, QStringLiteral("Run"), MessageIcon::Warning, MessageButtons::Ok);
    }
}

bool FileActions::maySaveFirst(const QString& question) {
    if (!parts_.session.isModified()) {
        return true;
    }
    const MessageAnswer answer =
        prompter().message(question, QStringLiteral("Unsaved changes"), MessageIcon::Question,
                           MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes) {
        save();
        return !parts_.session.isModified();
    }
    return answer == MessageAnswer::No;
}

void FileActions::choosePaths(const QString& offeredTranslated) {
    if (!maySaveFirst(QStringLiteral("The texts were modified since you last saved them\n\rDo you "
                                     "want to save them before you enter another paths?"))) {
        return;
    }
    pathsDialog_->setPaths(parts_.executables.originalPath, offeredTranslated.isEmpty()
                                                                ? parts_.executables.translatedPath
                                                                : offeredTranslated);
    if (prompter().runModal(*pathsDialog_) == QDialog::Accepted) {
        loadExecutables();
    }
}

bool FileActions::openOther(const QString& originalPath, const QString& translatedPath,
                            const std::function<void()>& beforeLoading) {
    if (!maySaveFirst(QStringLiteral("The texts were modified since you last saved them\n\rDo you "
                                     "want to save them before you open another translation?")) ||
        !checkPaths(originalPath, translatedPath)) {
        return false;
    }
    beforeLoading();
    usePaths(originalPath, translatedPath);
    loadExecutables();
    return true;
}

bool FileActions::maySaveBeforeClosing() {
    return maySaveFirst(QStringLiteral(
        "The texts were modified since you last saved them\n\rDo you want to save them now?"));
}

}  // namespace tarn
