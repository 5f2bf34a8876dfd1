// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/object_texts_document.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/utf8_path.h"
#include "objfiles/object_container.h"
#include "objfiles/object_file_pool.h"
#include "objfiles/text_tables.h"

namespace tarn {

namespace {

// A zero byte would end the text early on disk and shift every table behind it.
void refuseZeroByte(const std::string& text) {
    if (text.find('\0') != std::string::npos) {
        throw TextTableError("A text cannot hold the byte 00");
    }
}

// The groups the document left as they were loaded take what the file holds now, so that a
// change another program made to them survives the save. Where the file's tables no longer
// match in number, nothing can be matched and the document's groups are written.
void keepGroupsChangedElsewhere(ObjectFile& ours, const ObjectFile& disk, const ObjectFileTexts& base) {
    if (disk.texts.size() != ours.texts.size() || base.size() != ours.texts.size()) {
        return;
    }
    for (std::size_t g = 0; g < ours.texts.size(); ++g) {
        if (ours.texts[g] == base[g]) {
            ours.texts[g] = disk.texts[g];
        }
    }
}

// A file error names its file already; any other error is named here.
// A file error names its file itself; any other is put behind the file's path.
Problem problem(std::optional<std::size_t> index, const std::filesystem::path& path,
                const std::exception& e) {
    const bool named = dynamic_cast<const FileError*>(&e) != nullptr;
    return Problem{index, named ? std::string() : pathToUtf8(path), {}, {}, e.what()};
}

}  // namespace

ObjectTextsEdit::ObjectTextsEdit(ObjectTextsDocument& document, std::string name,
                                 std::vector<GroupChange> changes)
    : document_(&document), name_(std::move(name)), changes_(std::move(changes)) {
    for (const GroupChange& change : changes_) {
        if (std::none_of(states_.begin(), states_.end(),
                         [&](const FileState& s) { return s.file == change.file; })) {
            states_.push_back({change.file, 0, 0});
        }
    }
}

void ObjectTextsEdit::redo() {
    for (const GroupChange& change : changes_) {
        document_->editableGroup(change.file, change.group) = change.after;
    }
    for (FileState& state : states_) {
        if (state.after == 0) {
            state.before = document_->states_[state.file];
            state.after = ++document_->lastState_;
        }
        document_->setState(state.file, state.after);
    }
}

void ObjectTextsEdit::undo() {
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
        document_->editableGroup(change->file, change->group) = change->before;
    }
    for (const FileState& state : states_) {
        document_->setState(state.file, state.before);
    }
}

bool ObjectTextsEdit::changesNothing() const {
    for (const GroupChange& change : changes_) {
        if (!(change.before == change.after)) {
            return false;
        }
    }
    return true;
}

void ObjectTextsEdit::retype(std::size_t row, std::string text) {
    if (changes_.size() != 1) {
        throw std::logic_error("only a step of one group takes more typing");
    }
    if (states_.front().after == 0) {
        throw std::logic_error("a step takes more typing only once it is done");
    }
    refuseZeroByte(text);
    GroupChange& change = changes_.front();
    ObjectText& entry = change.after.at(row);
    entry.text = std::move(text);
    document_->editableGroup(change.file, change.group).at(row).text = entry.text;
    // A new state: the text may have been saved since the step was done.
    FileState& state = states_.front();
    state.after = ++document_->lastState_;
    document_->setState(state.file, state.after);
}

std::vector<Problem> ObjectTextsDocument::loadFolder(const std::filesystem::path& objData,
                                                     const LoadProgress& progress) {
    std::vector<std::filesystem::path> paths;
    try {
        paths = listObjectFiles(objData);
    } catch (const std::exception& e) {
        clear();
        folder_ = objData;
        return {problem(std::nullopt, objData, e)};
    }
    return loadFiles(objData, paths, progress);
}

std::vector<Problem> ObjectTextsDocument::loadFiles(const std::filesystem::path& folder,
                                                    const std::vector<std::filesystem::path>& paths,
                                                    const LoadProgress& progress) {
    clear();
    folder_ = folder;
    files_.reserve(paths.size());
    identities_.reserve(paths.size());
    std::vector<Problem> problems;
    loadObjectFilesInOrder(paths, [&](std::size_t i, LoadedObjectFile& loaded) {
        if (progress) {
            progress(i, paths.size(), pathToUtf8(paths[i].filename()));
        }
        // Each file on its own: a damaged one is named and left out, the others still load.
        if (loaded.file) {
            files_.push_back(std::move(*loaded.file));
            identities_.push_back(std::move(loaded.identity));
            onDisk_.push_back(files_.back().texts);
            return;
        }
        try {
            std::rethrow_exception(loaded.error);
        } catch (const std::exception& e) {
            problems.push_back(problem(i, paths[i], e));
        }
    });
    states_.assign(files_.size(), 0);
    savedStates_.assign(files_.size(), 0);
    unfinishedSave_ = findUnfinishedSave(folder_);
    return problems;
}

void ObjectTextsDocument::clear() {
    folder_.clear();
    files_.clear();
    states_.clear();
    savedStates_.clear();
    identities_.clear();
    onDisk_.clear();
    unfinishedSave_.reset();
}

const ObjectTextGroup& ObjectTextsDocument::group(std::size_t file, std::size_t group) const {
    return files_.at(file).texts.at(group);
}

ObjectTextGroup& ObjectTextsDocument::editableGroup(std::size_t file, std::size_t group) {
    return files_.at(file).texts.at(group);
}

void ObjectTextsDocument::setState(std::size_t file, std::uint64_t state) {
    states_.at(file) = state;
    files_[file].modified = state != savedStates_[file];
}

std::unique_ptr<ObjectTextsEdit> ObjectTextsDocument::groupStep(std::size_t file, std::size_t group,
                                                                ObjectTextGroup after,
                                                                std::string name) {
    std::vector<ObjectTextsEdit::GroupChange> changes{
        {file, group, this->group(file, group), std::move(after)}};
    return std::unique_ptr<ObjectTextsEdit>(
        new ObjectTextsEdit(*this, std::move(name), std::move(changes)));
}

std::unique_ptr<ObjectTextsEdit> ObjectTextsDocument::setTextStep(std::size_t file,
                                                                  std::size_t group,
                                                                  std::size_t row,
                                                                  std::string text) {
    refuseZeroByte(text);
    ObjectTextGroup after = this->group(file, group);
    after.at(row).text = std::move(text);
    return groupStep(file, group, std::move(after), "Edit text");
}

ObjectTextsStep<AddLanguageIdResult> ObjectTextsDocument::addLanguageIdStep(std::size_t file,
                                                                            std::size_t group,
                                                                            std::uint8_t id) {
    if (id == kTableEnd) {
        throw TextTableError("The language ID 255 ends a text table");
    }
    const ObjectTextGroup& entries = this->group(file, group);
    const auto same = std::find_if(entries.begin(), entries.end(),
                                   [id](const ObjectText& entry) { return entry.id == id; });
    if (same != entries.end()) {
        return {{false, static_cast<std::size_t>(same - entries.begin())}, nullptr};
    }
    ObjectTextGroup after = entries;
    after.push_back({id, {}});
    return {{true, entries.size()},
            groupStep(file, group, std::move(after),
                      "Add language ID " + std::to_string(unsigned{id}))};
}

ObjectTextsStep<RemoveLanguageIdResult> ObjectTextsDocument::removeLanguageIdStep(std::size_t file,
                                                                                  std::size_t group,
                                                                                  std::size_t row) {
    const ObjectTextGroup& entries = this->group(file, group);
    if (entries.size() <= 1) {
        return {RemoveLanguageIdResult::RefusedLast, nullptr};
    }
    if (row >= entries.size()) {
        throw std::out_of_range("no language ID at this row");
    }
    // The entry at row itself: a table read from a file may hold an ID twice, and removing the
    // first entry of that ID instead would drop a text other than the one chosen.
    ObjectTextGroup after = entries;
    after.erase(after.begin() + static_cast<std::ptrdiff_t>(row));
    return {RemoveLanguageIdResult::Removed,
            groupStep(file, group, std::move(after),
                      "Delete language ID " + std::to_string(unsigned{entries[row].id}))};
}

std::unique_ptr<ObjectTextsEdit> ObjectTextsDocument::replaceTextsStep(
    const std::vector<ObjectFile>& wanted, std::string name) {
    if (wanted.size() != files_.size()) {
        throw std::invalid_argument("the texts are not those of the document's files");
    }
    std::vector<ObjectTextsEdit::GroupChange> changes;
    for (std::size_t f = 0; f < files_.size(); ++f) {
        if (wanted[f].texts.size() != files_[f].texts.size()) {
            throw std::invalid_argument("the texts are not those of " + files_[f].fileName);
        }
        for (std::size_t g = 0; g < files_[f].texts.size(); ++g) {
            const ObjectTextGroup& after = wanted[f].texts[g];
            if (after == files_[f].texts[g]) {
                continue;
            }
            for (const ObjectText& entry : after) {
                refuseZeroByte(entry.text);
            }
            changes.push_back({f, g, files_[f].texts[g], after});
        }
    }
    if (changes.empty()) {
        return nullptr;
    }
    return std::unique_ptr<ObjectTextsEdit>(
        new ObjectTextsEdit(*this, std::move(name), std::move(changes)));
}

void ObjectTextsDocument::setText(std::size_t file, std::size_t group, std::size_t row,
                                  std::string text) {
    setTextStep(file, group, row, std::move(text))->redo();
}

AddLanguageIdResult ObjectTextsDocument::addLanguageId(std::size_t file, std::size_t group,
                                                       std::uint8_t id) {
    ObjectTextsStep<AddLanguageIdResult> add = addLanguageIdStep(file, group, id);
    if (add.step) {
        add.step->redo();
    }
    return add.result;
}

RemoveLanguageIdResult ObjectTextsDocument::removeLanguageId(std::size_t file, std::size_t group,
                                                             std::size_t row) {
    ObjectTextsStep<RemoveLanguageIdResult> remove = removeLanguageIdStep(file, group, row);
    if (remove.step) {
        remove.step->redo();
    }
    return remove.result;
}

bool ObjectTextsDocument::anyModified() const {
    return std::any_of(files_.begin(), files_.end(),
                       [](const ObjectFile& file) { return file.modified; });
}

std::vector<std::size_t> ObjectTextsDocument::modifiedFiles() const {
    std::vector<std::size_t> modified;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (files_[i].modified) {
            modified.push_back(i);
        }
    }
    return modified;
}

std::vector<std::size_t> ObjectTextsDocument::modifiedWithWrongChecksum() const {
    std::vector<std::size_t> damaged;
    for (const std::size_t file : modifiedFiles()) {
        if (files_[file].wrongChecksum) {
            damaged.push_back(file);
        }
    }
    return damaged;
}

std::vector<std::size_t> ObjectTextsDocument::changedOnDisk() const {
    std::vector<std::size_t> changed;
    for (const std::size_t file : modifiedFiles()) {
        // A file that has gone is the save's own problem, reported with its name.
        const std::filesystem::path path = folder_ / pathFromUtf8(files_[file].fileName);
        if (fileExists(path) && tarn::changedOnDisk(path, identities_[file])) {
            changed.push_back(file);
        }
    }
    return changed;
}

ReloadMerge ObjectTextsDocument::mergeReloaded(std::size_t file) {
    const std::filesystem::path path = folder_ / pathFromUtf8(files_.at(file).fileName);
    FileIdentity identity;
    const ObjectFile disk = loadObjectFile(path, &identity);
    const ObjectFileTexts& ours = files_[file].texts;
    const ObjectFileTexts& base = onDisk_[file];
    if (disk.texts.size() != ours.size() || base.size() != ours.size()) {
        // Tables added or removed elsewhere: no group can be matched.
        throw FileError(pathToUtf8(path) + ": its text tables changed in number on disk");
    }
    ReloadMerge merge;
    std::vector<ObjectTextsEdit::GroupChange> changes;
    for (std::size_t g = 0; g < ours.size(); ++g) {
        const ObjectTextGroup& theirs = disk.texts[g];
        const bool edited = ours[g] != base[g];
        if (theirs == base[g]) {
            merge.keepsEdits = merge.keepsEdits || edited;
            continue;
        }
        if (theirs == ours[g]) {
            continue;  // both changed it alike
        }
        if (edited) {
            merge.conflicts.push_back(g);
        }
        changes.push_back({file, g, ours[g], theirs});
    }
    identities_[file] = std::move(identity);
    onDisk_[file] = disk.texts;
    files_[file].wrongChecksum = disk.wrongChecksum;
    if (!changes.empty()) {
        merge.step.reset(
            new ObjectTextsEdit(*this, "Reload " + files_[file].fileName, std::move(changes)));
    }
    return merge;
}

void ObjectTextsDocument::markReloaded(std::size_t file) {
    savedStates_.at(file) = states_.at(file);
    files_[file].modified = false;
}

ObjectSaveReport ObjectTextsDocument::saveModified(const ObjectSaveOptions& options,
                                                   const LoadProgress& progress) {
    ObjectSaveReport report;
    struct Staged {
        std::size_t index;
        ObjectFile rewritten;  // header fields as found on disk
        std::filesystem::path path;
        Bytes bytes;
        FileIdentity read;  // the file the groups changed elsewhere were taken from
    };
    // Every file is checked and encoded before the first is replaced, so that a file that
    // cannot be written leaves all of them as they were.
    std::vector<Staged> staged;
    const std::vector<std::size_t> modified = modifiedFiles();
    for (std::size_t k = 0; k < modified.size(); ++k) {
        const ObjectFile& file = files_[modified[k]];
        if (progress) {
            progress(k, modified.size(), file.fileName);
        }
        const std::filesystem::path path = folder_ / pathFromUtf8(file.fileName);
        try {
            if (isReadOnlyFile(path)) {
                report.problems.push_back(
                    Problem{modified[k], pathToUtf8(path), {}, {}, "the file is read-only"});
                continue;
            }
            ObjectFile copy = file;
            FileIdentity identity;
            const Bytes old = readWholeFile(path, identity);
            const ObjectFile disk = readObjectFile(old, file.fileName);
            if (disk.wrongChecksum && options.wrongChecksums == WrongChecksumSave::Refuse) {
                report.problems.push_back(Problem{modified[k], pathToUtf8(path), {}, {},
                                                  wrongChecksumText(*disk.wrongChecksum)});
                report.wrongChecksums.push_back(file.fileName);
                continue;
            }
            keepGroupsChangedElsewhere(copy, disk, onDisk_[modified[k]]);
            Bytes bytes = rewriteObjectFile(old, copy, options.enhancedRle);
            copy.wrongChecksum.reset();  // the file written stores the right one
            staged.push_back(
                {modified[k], std::move(copy), path, std::move(bytes), std::move(identity)});
        } catch (const std::exception& e) {
            report.problems.push_back(problem(modified[k], path, e));
        }
    }
    if (!report.problems.empty()) {
        return report;
    }
    // Files replaced one by one can be left half old, half new by a process killed between two
    // of them: the record beside the folder lets whoever comes next tell which.
    bool recorded = false;
    if (staged.size() > 1) {
        std::vector<IntendedWrite> intended;
        for (const Staged& s : staged) {
            intended.push_back(intendedWrite(files_[s.index].fileName, s.bytes));
        }
        try {
            recordSaveIntent(folder_, options.program, intended);
            recorded = true;
        } catch (const std::exception&) {
            // A folder beside which nothing can be written (a read-only game folder) still
            // takes the files, as it takes them without a lock. A record that failed only once
            // in place would tell of the wrong save.
            removeSaveIntent(folder_);
        }
    }
    for (Staged& s : staged) {
        try {
            WriteOptions write;
            write.expected = std::move(s.read);
            writeFileAtomically(s.path, s.bytes, write);
        } catch (const std::exception& e) {
            report.failures.push_back(problem(s.index, s.path, e));
            noteReplacedByFailedWrite(s.index, s.path, s.bytes, s.rewritten.texts);
            break;  // the files after it keep their old contents too
        }
        files_[s.index] = std::move(s.rewritten);
        onDisk_[s.index] = files_[s.index].texts;
        try {
            identities_[s.index] = takeFileIdentity(s.path);
        } catch (const std::exception&) {
            identities_[s.index] = {};  // the next save asks
        }
        savedStates_[s.index] = states_[s.index];
        files_[s.index].modified = false;
        report.written.push_back(files_[s.index].fileName);
    }
    if (report.failures.empty()) {
        if (recorded) {
            removeSaveIntent(folder_);
            unfinishedSave_.reset();
        } else if (unfinishedSave_ && !(unfinishedSave_ = findUnfinishedSave(folder_))) {
            removeSaveIntent(folder_);  // this save finished the one that was cut off
        }
    }
    return report;
}

void ObjectTextsDocument::noteReplacedByFailedWrite(std::size_t index,
                                                    const std::filesystem::path& path,
                                                    const Bytes& written,
                                                    const ObjectFileTexts& texts) {
    // A write can fail after the new file took the old one's place (flushing the folder): the
    // file then holds these texts, and the next save must not take that for another program's
    // change. The file stays modified, so that the next save writes it again.
    try {
        FileIdentity identity;
        if (readWholeFile(path, identity) == written) {
            onDisk_[index] = texts;
            identities_[index] = std::move(identity);
            files_[index].wrongChecksum.reset();
        }
    } catch (const std::exception&) {
        // Unreadable: the next save asks, as for any file it cannot check.
    }
}

}  // namespace tarn
