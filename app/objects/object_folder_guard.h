// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's hold on the game's ObjData folder: lists it while the window is
// painted, loads its files into the session and the tree, locks it while they are open (read-
// only when another program holds it), tells of a save that was cut off, and writes the files
// back only after asking about files changed on disk and files storing a wrong checksum.
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <utility>
#include <vector>

#include "app/widgets/file_guard.h"
#include "objfiles/object_texts_document.h"

class QWidget;

namespace tarn {

class ObjectTextsSession;
class ObjectTreeModel;

class ObjectFolderGuard {
public:
    struct Parts {
        QWidget& window;  // its title heads the questions
        ObjectTextsSession& session;
        ObjectTreeModel& tree;
        std::function<void(const QString&)> showStatus;
    };
    struct LoadOutcome {
        bool noFiles = false;  // no ObjData folder, or no object file in it
        bool loaded = false;   // the files were loaded, some perhaps damaged
        std::vector<Problem> problems;  // the files that could not be read, or why nothing was
    };
    // The parts outlive the guard.
    explicit ObjectFolderGuard(Parts parts);

    // The translated game executable; its folder holds ObjData.
    void setTranslatedExecutable(const QString& path) { translatedExecutable_ = path; }
    // Starts listing the folder on another thread while the window is shown and painted.
    void startListing();
    // Loads the listed files, the tree showing the loaded ones and, in their places, the ones
    // that failed. Never raises.
    LoadOutcome load();
    // Lets the folder go once its files are discarded.
    void release();
    // Tells of a save into the folder that was cut off: which files it wrote and which not.
    void showUnfinishedSave();
    // Asks, file by file, about files another program changed, then before writing files that
    // store a wrong checksum; false when nothing is to be saved now (cancelled, refused, or a
    // file was reloaded).
    bool mayWrite();
    // Writes the modified files; a failure is in the report. Never raises.
    ObjectSaveReport save(bool enhancedRle);
    void showSaveReport(const ObjectSaveReport& report);

private:
    // A message naming the files a save wrote and their folder.
    void confirmSave(const std::vector<std::string>& written) const;
    // How many file names a message lists before it counts the rest.
    static constexpr std::size_t kNamesShown = 20;

    // The game's ObjData folder, if any, and its object files.
    struct FolderListing {
        std::optional<std::filesystem::path> objData;
        std::vector<std::filesystem::path> files;
    };
    FolderListing takeListing();
    // Adds the files that could not be read to problems.
    void loadFiles(const std::filesystem::path& objData,
                   const std::vector<std::filesystem::path>& paths, std::vector<Problem>& problems);
    bool mayWriteOverOutsideChanges();
    bool mayRepairChecksums();

    Parts parts_;
    QString translatedExecutable_;
    std::future<FolderListing> listing_;  // started when the window is shown
    FileGuard guard_;                     // the folder's lock, released when the files go
};

}  // namespace tarn
