// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts of a game as one editable document: the loaded object files, their text
// groups and the texts in them, which files differ from what is on disk, and saving them. It is
// the only code that loads a folder of object files or writes them back, so the window, tarntool
// and the PO exchange share one set of failure rules. Every change is an EditCommand, so that a
// window can keep a history of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/edit_command.h"
#include "common/errors.h"
#include "common/reload_merge.h"
#include "objfiles/object_text_model.h"
#include "objfiles/object_folder.h"
#include "objfiles/save_intent.h"

namespace tarn {

class ObjectTextsDocument;

// Where a new language ID ended up: appended at row, or refused because the group already
// holds it at row (the first such row).
struct AddLanguageIdResult {
    bool added = false;
    std::size_t row = 0;

    bool operator==(const AddLanguageIdResult&) const = default;
};

enum class RemoveLanguageIdResult {
    Removed,
    RefusedLast,  // a group keeps at least one language ID
};

// What saving did. Each file keeps the groups the document did not change as another program
// may have left them on disk; only the groups changed here are written. Problems are found
// before anything is written ("PATH: reason" for a
// read-only, vanished, undecodable or unencodable file, or one storing a wrong checksum unless
// it may be repaired): then nothing was written. A failure is a write that failed after the
// files in written had been replaced; the others are unchanged.
struct ObjectSaveReport {
    // What kept every file from being written, and what failed once writing had begun; each
    // names its file by its index in the document.
    std::vector<Problem> problems;
    std::vector<Problem> failures;
    std::vector<std::string> written;  // file names, in document order
    // The file names refused for a wrong stored checksum (their problems are among problems).
    std::vector<std::string> wrongChecksums;

    bool ok() const { return problems.empty() && failures.empty(); }
};

// How a save treats a file on disk whose stored checksum does not match its data. The game
// reads such a file, and writing it stores the right checksum, so that nothing would show any
// more that the file was changed by something else: the translator's tools write it only when
// told to.
enum class WrongChecksumSave {
    Refuse,  // a problem: nothing is written
    Repair,  // written like any other, with the right checksum
};

struct ObjectSaveOptions {
    bool enhancedRle = true;  // the enhanced run-length encoder for files of encoding 1
    WrongChecksumSave wrongChecksums = WrongChecksumSave::Refuse;
    // Who saves, as the record of a save of several files names it ("TarnEdit").
    std::string program;
};

// One step of the document's history: it replaces whole text groups, so that undoing it brings
// back every byte of them, and it remembers which saved state each of its files was in.
class ObjectTextsEdit final : public EditCommand {
public:
    std::string name() const override { return name_; }
    void redo() override;
    void undo() override;
    bool changesNothing() const override;

    // Changes the text at row of a one-group step that has been done, as typing on in the same
    // cell does; the step keeps its place in the history. A text holding the byte 00 is refused
    // with TextTableError and changes nothing.
    void retype(std::size_t row, std::string text);

private:
    friend class ObjectTextsDocument;
    struct GroupChange {
        std::size_t file = 0;
        std::size_t group = 0;
        ObjectTextGroup before;
        ObjectTextGroup after;
    };
    struct FileState {
        std::size_t file = 0;
        std::uint64_t before = 0;
        std::uint64_t after = 0;  // 0 until the step is first done
    };

    ObjectTextsEdit(ObjectTextsDocument& document, std::string name,
                    std::vector<GroupChange> changes);

    ObjectTextsDocument* document_;
    std::string name_;
    std::vector<GroupChange> changes_;
    std::vector<FileState> states_;
};

// A requested change and the step that makes it; step is null when the change is refused.
template <typename Result>
struct ObjectTextsStep {
    Result result{};
    std::unique_ptr<ObjectTextsEdit> step;
};

class ObjectTextsDocument {
public:
    // Replaces the document by every object file of the ObjData folder objData, in
    // listObjectFiles order. The files are decoded on every core; progress is called on the
    // calling thread as each file joins the document, in order. A file that cannot be loaded
    // is left out and answered as a problem with its index in the listing (worded "PATH:
    // reason", or the file error that names it), the others are loaded; a folder that cannot be
    // listed is the one problem, without an index.
    std::vector<Problem> loadFolder(const std::filesystem::path& objData,
                                    const LoadProgress& progress = {});

    // Replaces the document by the given object files of folder (each path names a file in it),
    // with the same problems as loadFolder.
    std::vector<Problem> loadFiles(const std::filesystem::path& folder,
                                   const std::vector<std::filesystem::path>& paths,
                                   const LoadProgress& progress = {});

    // Forgets every file and its unsaved changes; nothing on disk changes.
    void clear();

    const std::filesystem::path& folder() const { return folder_; }
    const std::vector<ObjectFile>& files() const { return files_; }
    const ObjectFile& file(std::size_t file) const { return files_.at(file); }
    const ObjectTextGroup& group(std::size_t file, std::size_t group) const;

    // The steps below are checked when they are built and change nothing until done; an index
    // out of range raises std::out_of_range. Each step marks its files modified when done, and
    // undoing it brings back their saved state.

    // Replaces the text at row of the group. A text holding the byte 00 cannot be stored and is
    // refused with TextTableError.
    std::unique_ptr<ObjectTextsEdit> setTextStep(std::size_t file, std::size_t group,
                                                 std::size_t row, std::string text);

    // Appends the ID with an empty text unless the group already holds it (no step then). ID
    // 255 ends a table and is refused with TextTableError.
    ObjectTextsStep<AddLanguageIdResult> addLanguageIdStep(std::size_t file, std::size_t group,
                                                           std::uint8_t id);

    // Removes the entry at row, unless it is the group's only one (no step then).
    ObjectTextsStep<RemoveLanguageIdResult> removeLanguageIdStep(std::size_t file,
                                                                 std::size_t group,
                                                                 std::size_t row);

    // Gives every group the texts of wanted (the document's files with some groups changed,
    // same files and group counts) as one step named name; null when no group differs. Other
    // shapes raise std::invalid_argument, a text with the byte 00 TextTableError.
    std::unique_ptr<ObjectTextsEdit> replaceTextsStep(const std::vector<ObjectFile>& wanted,
                                                      std::string name);

    // The same changes made at once, without a history.
    void setText(std::size_t file, std::size_t group, std::size_t row, std::string text);
    AddLanguageIdResult addLanguageId(std::size_t file, std::size_t group, std::uint8_t id);
    RemoveLanguageIdResult removeLanguageId(std::size_t file, std::size_t group, std::size_t row);

    bool isModified(std::size_t file) const { return files_.at(file).modified; }
    bool anyModified() const;
    std::vector<std::size_t> modifiedFiles() const;

    // The modified files that another program changed on disk since they were loaded or saved
    // (a file that has gone is left to the save, which names it).
    std::vector<std::size_t> changedOnDisk() const;

    // Re-reads a file another program changed and merges its groups (see
    // common/reload_merge.h; conflicts are group indexes). The file's identity and on-disk
    // groups are taken at once; its groups change when the step is done. Raises FileError or
    // StreamReadError, changing nothing.
    ReloadMerge mergeReloaded(std::size_t file);
    // After a reload that kept no edit, its step done: the file holds what the disk holds.
    void markReloaded(std::size_t file);

    // The modified files whose stored checksum was wrong when they were last read: a save
    // refuses them unless told to repair them.
    std::vector<std::size_t> modifiedWithWrongChecksum() const;

    // Writes every modified file back in document order: each is re-read from disk, the tables
    // it changed replaced and encoded with its own encoding, all before the first is replaced,
    // each atomically. progress is called before each file with its place among the modified
    // ones. A file written is no longer modified. When it replaces several files, the save keeps
    // the record of save_intent.h beside the folder until the last is in place (it goes on
    // without one where the record cannot be written), and removes the record of an earlier
    // cut-off save once every file of it holds what that save was writing.
    ObjectSaveReport saveModified(const ObjectSaveOptions& options = {},
                                  const LoadProgress& progress = {});

    // The save into this folder that was cut off before it ended, as found when the folder was
    // loaded (and after a save); nothing when there is none.
    const std::optional<UnfinishedSave>& unfinishedSave() const { return unfinishedSave_; }

private:
    friend class ObjectTextsEdit;

    ObjectTextGroup& editableGroup(std::size_t file, std::size_t group);
    std::unique_ptr<ObjectTextsEdit> groupStep(std::size_t file, std::size_t group,
                                               ObjectTextGroup after, std::string name);
    void setState(std::size_t file, std::uint64_t state);
    // After a failed write of file index: records the file as written when it holds written.
    void noteReplacedByFailedWrite(std::size_t index, const std::filesystem::path& path,
                                   const Bytes& written, const ObjectFileTexts& texts);

    std::filesystem::path folder_;
    std::vector<ObjectFile> files_;
    // Each file's state: a number given to every step when first done. A file is modified
    // while its state differs from the one it had when last loaded or saved.
    std::vector<std::uint64_t> states_;
    std::vector<std::uint64_t> savedStates_;
    std::uint64_t lastState_ = 0;
    // Each file as last loaded or saved: its identity and its groups, what the edits are edits of.
    std::vector<FileIdentity> identities_;
    std::vector<ObjectFileTexts> onDisk_;
    std::optional<UnfinishedSave> unfinishedSave_;
};

}  // namespace tarn
