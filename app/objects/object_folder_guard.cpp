// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_folder_guard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <exception>
#include <string>

#include "app/objects/object_texts_session.h"
#include "app/objects/object_tree_model.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/prompter.h"
#include "objfiles/object_container.h"
#include "objfiles/object_folder.h"
#include "objfiles/save_intent.h"

namespace tarn {

namespace {

// The tree shows the loaded files and, in their places, the ones that failed.
void fillTree(ObjectTreeModel& tree, const std::vector<std::filesystem::path>& paths,
              const std::vector<Problem>& problems, std::size_t loadedFiles) {
    // The damaged files take their places in the listing between the files that loaded, named
    // by their file names.
    std::vector<ObjectTreeModel::DamagedFile> damaged;
    for (const Problem& problem : problems) {
        if (!problem.fileIndex || *problem.fileIndex >= paths.size()) {
            continue;
        }
        const std::filesystem::path& path = paths[*problem.fileIndex];
        Problem shown = problem;
        if (!shown.path.empty()) {
            shown.path = pathToUtf8(path.filename());
        }
        damaged.push_back({static_cast<int>(*problem.fileIndex), fromFilePath(path.filename()),
                           QString::fromStdString(describe(shown))});
    }
    // Thousands of files go in as one insertion: the model makes a node's text only when the
    // view shows it.
    tree.clear();
    tree.fill(loadedFiles, std::move(damaged));
}

}  // namespace

ObjectFolderGuard::ObjectFolderGuard(Parts parts)
    : parts_(std::move(parts)),
      guard_(parts_.session, [&window = parts_.window] { return window.windowTitle(); }) {}

void ObjectFolderGuard::startListing() {
    // Listing a folder of thousands of files takes a few milliseconds that the other core can
    // spend while this one lays out and paints the window.
    std::optional<std::filesystem::path> executable;
    if (!translatedExecutable_.isEmpty()) {
        executable = toFilePath(translatedExecutable_);
    }
    listing_ = std::async(std::launch::async, [executable = std::move(executable)] {
        FolderListing listing;
        if (executable) {
            listing.objData = findObjDataFolder(*executable);
        }
        if (listing.objData) {
            listing.files = listObjectFiles(*listing.objData);
        }
        return listing;
    });
}

ObjectFolderGuard::FolderListing ObjectFolderGuard::takeListing() {
    if (!listing_.valid()) {
        startListing();
    }
    return listing_.get();  // a listing error is raised here
}

ObjectFolderGuard::LoadOutcome ObjectFolderGuard::load() {
    LoadOutcome outcome;
    try {
        parts_.showStatus(QStringLiteral("Loading object files..."));
        QApplication::processEvents();
        const FolderListing listing = takeListing();
        if (listing.files.empty()) {
            outcome.noFiles = true;
        } else {
            loadFiles(*listing.objData, listing.files, outcome.problems);
            outcome.loaded = true;
        }
    } catch (const std::exception& e) {
        fillTree(parts_.tree, {}, {}, parts_.session.document().files().size());
        outcome.problems.push_back(Problem::withMessage(e.what()));
    }
    return outcome;
}

void ObjectFolderGuard::loadFiles(const std::filesystem::path& objData,
                                  const std::vector<std::filesystem::path>& paths,
                                  std::vector<Problem>& problems) {
    // Locked while its files are open: read-only when another program holds it.
    guard_.lock(folderLockTarget(objData), fromFilePath(objData.filename()));
    parts_.tree.clear();  // before the document's files change under it
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    const std::vector<Problem> failed = parts_.session.load(
        objData, paths, [&](std::size_t i, std::size_t count, const std::string& name) {
            // The status line is set and painted at most about 60 times a second: doing it
            // for each of thousands of small files would take longer than loading them.
            if (i != 0 && sinceRepaint.elapsed() < 16) {
                return;
            }
            parts_.showStatus(QStringLiteral("Loading object files...   %1  (%2/%3)")
                                  .arg(QString::fromStdString(name))
                                  .arg(i + 1)
                                  .arg(count));
            QApplication::processEvents();
            sinceRepaint.restart();
        });
    // Named by their paths inside the folder, which is the game's ObjData.
    const std::string folder = pathToUtf8(objData / "");
    for (Problem problem : failed) {
        if (problem.path.starts_with(folder)) {
            problem.path.erase(0, folder.size());
        }
        problems.push_back(std::move(problem));
    }
    const std::size_t loaded = parts_.session.document().files().size();
    fillTree(parts_.tree, paths, failed, loaded);
    parts_.showStatus(QStringLiteral("%1 files loaded successfully").arg(loaded));
}

void ObjectFolderGuard::release() {
    guard_.release();
    parts_.session.setReadOnly(false);
}

void ObjectFolderGuard::showUnfinishedSave() {
    const ObjectTextsDocument& document = parts_.session.document();
    const std::optional<UnfinishedSave>& save = document.unfinishedSave();
    if (!save) {
        return;
    }
    QStringList lines;
    for (const std::string& line :
         unfinishedSaveLines(*save, pathToUtf8(document.folder().filename()), kNamesShown)) {
        lines.append(QString::fromStdString(line));
    }
    prompter().message(lines.join(QLatin1Char('\n')), QStringLiteral("Unfinished save"),
                       MessageIcon::Warning, MessageButtons::Ok);
}

bool ObjectFolderGuard::mayWrite() {
    return mayWriteOverOutsideChanges() && mayRepairChecksums();
}

bool ObjectFolderGuard::mayWriteOverOutsideChanges() {
    const ObjectTextsDocument& document = parts_.session.document();
    bool reloaded = false;
    for (const std::size_t file : document.changedOnDisk()) {
        const QString name = QString::fromStdString(document.file(file).fileName);
        const FileGuard::OutsideChange answer = guard_.askAboutOutsideChange(
            name,
            [this, file] {
                std::vector<std::size_t> conflicts = parts_.session.reload(file);
                // The file read again may store a wrong checksum, or no longer.
                parts_.tree.marksChanged();
                return conflicts;
            },
            [&name](const QString& groups) {
                return QStringLiteral(
                           "These groups of %1 were changed both here and in the "
                           "file; they now hold the file's texts, and Undo brings "
                           "your edits back: %2")
                    .arg(name, groups);
            });
        if (answer == FileGuard::OutsideChange::Cancel) {
            return false;
        }
        reloaded = reloaded || answer == FileGuard::OutsideChange::Reloaded;
    }
    // After a reload the translator looks at the merged texts before saving them.
    return !reloaded;
}

bool ObjectFolderGuard::mayRepairChecksums() {
    const ObjectTextsDocument& document = parts_.session.document();
    const std::vector<std::size_t> damaged = document.modifiedWithWrongChecksum();
    if (damaged.empty()) {
        return true;
    }
    QStringList lines;
    for (std::size_t i = 0; i < damaged.size() && i < kNamesShown; ++i) {
        const ObjectFile& file = document.file(damaged[i]);
        lines.append(
            QString::fromStdString(file.fileName + ": " + wrongChecksumText(*file.wrongChecksum)));
    }
    if (damaged.size() > kNamesShown) {
        lines.append(QStringLiteral("... and %1 more").arg(damaged.size() - kNamesShown));
    }
    const MessageAnswer answer = prompter().message(
        QStringLiteral("These files were changed or damaged by something that did not write their "
                       "checksum:\n%1\n\nSaving writes them with the right checksum, and "
                       "then nothing shows the damage any more. Save them?")
            .arg(lines.join(QLatin1Char('\n'))),
        QStringLiteral("Damaged object files"), MessageIcon::Warning, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) {
        parts_.showStatus(QStringLiteral("Nothing was saved."));
        return false;
    }
    return true;
}

ObjectSaveReport ObjectFolderGuard::save(bool enhancedRle) {
    ObjectSaveReport report;
    try {
        // Repairing covers the files asked about; one damaged since it was loaded was asked
        // about as changed on disk.
        report = parts_.session.saveModified(
            {enhancedRle,
             parts_.session.document().modifiedWithWrongChecksum().empty()
                 ? WrongChecksumSave::Refuse
                 : WrongChecksumSave::Repair,
             "TarnEdit"},
            [this](std::size_t k, std::size_t count, const std::string& name) {
                parts_.showStatus(QStringLiteral("Saving %1  (%2/%3)")
                                      .arg(QString::fromStdString(name))
                                      .arg(k + 1)
                                      .arg(count));
                QApplication::processEvents();
            });
    } catch (const std::exception& e) {
        report.problems.push_back(Problem::withMessage(e.what()));
    }
    return report;
}

void ObjectFolderGuard::confirmSave(const std::vector<std::string>& written) const {
    if (written.empty()) {
        return;
    }
    // A long list is cut: the message box must fit on the screen.
    constexpr std::size_t kNamesShown = 20;
    QStringList names;
    for (std::size_t i = 0; i < written.size() && i < kNamesShown; ++i) {
        names.append(QString::fromStdString(written[i]));
    }
    if (written.size() > kNamesShown) {
        names.append(QStringLiteral("and %1 more").arg(written.size() - kNamesShown));
    }
    prompter().message(
        QStringLiteral("Saved in %1:\n%2")
            .arg(fromFilePath(parts_.session.document().folder()), names.join(QLatin1Char('\n'))),
        QStringLiteral("Object files saved"), MessageIcon::Information, MessageButtons::Ok);
}

void ObjectFolderGuard::showSaveReport(const ObjectSaveReport& report) {
    if (report.ok()) {
        parts_.showStatus(
            QStringLiteral("%1 files updated successfully").arg(report.written.size()));
        confirmSave(report.written);
    } else {
        // Files that could not be written stay modified for a retry; a problem found before
        // writing kept every file as it was.
        showExceptionMessage(report.problems.empty() ? report.failures : report.problems);
    }
    parts_.tree.marksChanged();  // a file written stores the right checksum now
}

}  // namespace tarn
