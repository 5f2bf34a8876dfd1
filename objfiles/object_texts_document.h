// The object texts of a game as one editable document: the loaded object files, their text
// groups and the texts in them, which files were changed, and saving the changed ones. The
// object-texts window and `tarntool obj set` both edit texts only through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "objfiles/obj_text_model.h"
#include "objfiles/object_folder.h"

namespace tarn {

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

class ObjectTextsDocument {
public:
    // Replaces the document by every object file of the ObjData folder objData, in
    // listObjectFiles order; progress is called before each file. The first file that cannot be
    // loaded stops loading and propagates its error; the files before it stay in the document.
    void loadFolder(const std::filesystem::path& objData, const LoadProgress& progress = {});

    // Replaces the document by the given object files of folder (each path names a file in it).
    void loadFiles(const std::filesystem::path& folder,
                   const std::vector<std::filesystem::path>& paths,
                   const LoadProgress& progress = {});

    // Forgets every file and its unsaved changes; nothing on disk changes.
    void clear();

    const std::filesystem::path& folder() const { return folder_; }
    const std::vector<ObjFile>& files() const { return files_; }
    const ObjFile& file(std::size_t file) const { return files_.at(file); }
    const ObjTextGroup& group(std::size_t file, std::size_t group) const;

    // Every change below marks the file modified; an index out of range raises std::out_of_range
    // and changes nothing.

    // Replaces the text at row of the group. A text holding the byte 00 cannot be stored and is
    // refused with TextTableError.
    void setText(std::size_t file, std::size_t group, std::size_t row, std::string text);

    // Appends the ID with an empty text unless the group already holds it. ID 255 ends a table
    // and is refused with TextTableError.
    AddLanguageIdResult addLanguageId(std::size_t file, std::size_t group, std::uint8_t id);

    // Removes the entry at row, unless it is the group's only one.
    RemoveLanguageIdResult removeLanguageId(std::size_t file, std::size_t group, std::size_t row);

    bool isModified(std::size_t file) const { return files_.at(file).Modified; }
    bool anyModified() const;
    std::vector<std::size_t> modifiedFiles() const;

    // Writes every modified file back in document order: re-read from disk, tables replaced,
    // encoded with its own encoding (enhanced run-length encoder unless enhancedRle is false) and
    // replaced atomically. progress is called before each file with its place among the modified
    // ones. Answers how many files were written. The first failure stops saving and propagates;
    // files written before it are no longer modified, it and the later ones still are.
    std::size_t saveModified(bool enhancedRle = true, const LoadProgress& progress = {});

private:
    ObjFile& editable(std::size_t file);
    ObjTextGroup& editableGroup(std::size_t file, std::size_t group);

    std::filesystem::path folder_;
    std::vector<ObjFile> files_;
};

}  // namespace tarn
