// The main window's file commands: the paths of the executables, loading their texts, Save and
// Run, and the paths asked at start-up.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "app/main/window_parts.h"

namespace tarn {

class PathsDialog;
class SaveProgressDialog;
class UnresolvedTextsDialog;
struct SaveOptions;
struct SaveResult;

class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(WindowParts& parts, const QString& helpFile);

    // Opens the stored executables, or asks for their paths (closing the window when refused).
    void openAtStart();
    // Writes the translated texts; refused while the current cell may not be left.
    void save();
    void run();          // saves first when modified; not started when the save fails
    void choosePaths();  // the current cell has been checked
    // Asks whether to save unsaved changes; false when the window should stay open.
    bool maySaveBeforeClosing();

    // Asked before every save once the current cell may be left; false keeps the file as it is.
    void askBeforeSaving(std::function<bool()> mayWrite) { mayWrite_ = std::move(mayWrite); }

signals:
    // The document holds other texts in many places (new files, a save's result).
    void textsReplaced();
    // New files were loaded (before textsReplaced).
    void textsLoaded();

private:
    bool checkPaths(const QString& originalPath, const QString& translatedPath);
    void usePaths(const QString& originalPath, const QString& translatedPath);
    void askPathsAtStart();
    void loadExecutables();
    void showUnresolvedTexts(const QString& label, const std::vector<int>& numbers);
    SaveOptions saveOptions() const;
    void applySaveResult(const SaveResult& result);

    WindowParts& parts_;
    PathsDialog* pathsDialog_;
    SaveProgressDialog* saveDialog_;
    UnresolvedTextsDialog* unresolvedDialog_;
    std::function<bool()> mayWrite_;
};

}  // namespace tarn
