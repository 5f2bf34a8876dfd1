// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's file actions: the paths of the executables, loading their texts, Save and
// Run, and the paths asked at start-up.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

#include "app/main/window_parts.h"
#include "app/widgets/file_guard.h"
#include "common/file_identity.h"

namespace tarn {

class PathsDialog;
class RecoveryKeeper;
class SaveProgressDialog;
class UnresolvedTextsDialog;
struct SaveOptions;
struct SaveResult;

class FileActions : public QObject {
    Q_OBJECT
public:
    FileActions(WindowParts& parts, const QString& helpFile);

    // Opens the stored executables, or asks for their paths (closing the window when refused).
    void openAtStart();
    // Writes the translated texts; refused while the current cell may not be left.
    void save();
    void run();          // saves first when modified; not started when the save fails
    // The paths dialog; the current cell has been checked. A translated path given (a file
    // dropped on the window) is offered in place of the current one.
    void choosePaths(const QString& offeredTranslated = {});
    // Opens another pair of executables after the question about unsaved changes, when both
    // paths can be used; beforeLoading runs just before their texts are read. False when
    // nothing was opened.
    bool openOther(const QString& originalPath, const QString& translatedPath,
                   const std::function<void()>& beforeLoading);
    // Asks whether to save unsaved changes; false when the window should stay open.
    bool maySaveBeforeClosing();
    // The window closes with nothing unsaved to keep: the recovery journal goes.
    void closeCleanly();
    RecoveryKeeper& recovery() { return *recovery_; }
    // Another program held the translated executable when it was loaded: nothing is saved.
    bool isReadOnly() const { return !guard_.holdsLock(); }

    // Asked before every save once the current cell may be left; false keeps the file as it is.
    void askBeforeSaving(std::function<bool()> mayWrite) { mayWrite_ = std::move(mayWrite); }

private:
    bool checkPaths(const QString& originalPath, const QString& translatedPath);
    // Asks question about unsaved changes (Yes saves them first); false when the command must
    // not go on.
    bool maySaveFirst(const QString& question);
    void usePaths(const QString& originalPath, const QString& translatedPath);
    void askPathsAtStart();
    void loadExecutables();
    void showUnresolvedTexts(const QString& label, const std::vector<int>& numbers);
    SaveOptions saveOptions() const;
    // Writes the texts into the translated file, as long as it is still the file it was just
    // before; another program's write meanwhile asks again.
    void writeTranslated();
    void applySaveResult(const SaveResult& result);
    // Asks what to do when another program wrote the translated file since it was loaded;
    // false when the save must not go on.
    bool mayWriteOverOutsideChange();
    // The translated file's identity just before a save writes it (not known when unreadable).
    FileIdentity identityBeforeSave() const;
    // After a save that failed: records the file's identity when the save replaced it anyway.
    void noteFileReplacedByFailedSave(const FileIdentity& before);
    // Takes in the file as another program left it, keeping the edits it does not contradict;
    // answers the texts changed on both sides. Raises when the file cannot be read.
    std::vector<std::size_t> reloadTranslated();
    // Locks the translated executable while it is open; read-only when another program holds it.
    void lockTranslated();

    WindowParts& parts_;
    PathsDialog* pathsDialog_;
    SaveProgressDialog* saveDialog_;
    UnresolvedTextsDialog* unresolvedDialog_;
    std::function<bool()> mayWrite_;
    RecoveryKeeper* recovery_;
    FileGuard guard_;  // released when the window closes
};

}  // namespace tarn
