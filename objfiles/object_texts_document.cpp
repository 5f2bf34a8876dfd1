#include "objfiles/object_texts_document.h"

#include <algorithm>
#include <stdexcept>

#include "objfiles/text_tables.h"

namespace tarn {

void ObjectTextsDocument::loadFolder(const std::filesystem::path& objData,
                                     const LoadProgress& progress) {
    loadFiles(objData, listObjectFiles(objData), progress);
}

void ObjectTextsDocument::loadFiles(const std::filesystem::path& folder,
                                    const std::vector<std::filesystem::path>& paths,
                                    const LoadProgress& progress) {
    clear();
    folder_ = folder;
    files_.reserve(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (progress) {
            progress(i, paths.size(), paths[i].filename().string());
        }
        files_.push_back(loadObjectFile(paths[i]));
    }
}

void ObjectTextsDocument::clear() {
    folder_.clear();
    files_.clear();
}

const ObjTextGroup& ObjectTextsDocument::group(std::size_t file, std::size_t group) const {
    return files_.at(file).Texts.at(group);
}

ObjFile& ObjectTextsDocument::editable(std::size_t file) {
    return files_.at(file);
}

ObjTextGroup& ObjectTextsDocument::editableGroup(std::size_t file, std::size_t group) {
    return editable(file).Texts.at(group);
}

void ObjectTextsDocument::setText(std::size_t file, std::size_t group, std::size_t row,
                                  std::string text) {
    ObjText& entry = editableGroup(file, group).at(row);
    // A zero byte would end the text early on disk and shift every table behind it.
    if (text.find('\0') != std::string::npos) {
        throw TextTableError("A text cannot hold the byte 00");
    }
    entry.Text = std::move(text);
    editable(file).Modified = true;
}

AddLanguageIdResult ObjectTextsDocument::addLanguageId(std::size_t file, std::size_t group,
                                                       std::uint8_t id) {
    if (id == kTableEnd) {
        throw TextTableError("The language ID 255 ends a text table");
    }
    ObjTextGroup& entries = editableGroup(file, group);
    const auto same = std::find_if(entries.begin(), entries.end(),
                                   [id](const ObjText& entry) { return entry.ID == id; });
    if (same != entries.end()) {
        return {false, static_cast<std::size_t>(same - entries.begin())};
    }
    entries.push_back({id, {}});
    editable(file).Modified = true;
    return {true, entries.size() - 1};
}

RemoveLanguageIdResult ObjectTextsDocument::removeLanguageId(std::size_t file, std::size_t group,
                                                             std::size_t row) {
    ObjTextGroup& entries = editableGroup(file, group);
    if (entries.size() <= 1) {
        return RemoveLanguageIdResult::RefusedLast;
    }
    if (row >= entries.size()) {
        throw std::out_of_range("no language ID at this row");
    }
    // The entry at row itself: a table read from a file may hold an ID twice, and removing the
    // first entry of that ID instead would drop a text other than the one chosen.
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(row));
    editable(file).Modified = true;
    return RemoveLanguageIdResult::Removed;
}

bool ObjectTextsDocument::anyModified() const {
    return std::any_of(files_.begin(), files_.end(),
                       [](const ObjFile& file) { return file.Modified; });
}

std::vector<std::size_t> ObjectTextsDocument::modifiedFiles() const {
    std::vector<std::size_t> modified;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (files_[i].Modified) {
            modified.push_back(i);
        }
    }
    return modified;
}

std::size_t ObjectTextsDocument::saveModified(bool enhancedRle, const LoadProgress& progress) {
    const std::vector<std::size_t> modified = modifiedFiles();
    for (std::size_t k = 0; k < modified.size(); ++k) {
        ObjFile& file = files_[modified[k]];
        if (progress) {
            progress(k, modified.size(), file.FileName);
        }
        saveObjectFile(folder_ / file.FileName, file, enhancedRle);
    }
    return modified.size();
}

}  // namespace tarn
