// SPDX-License-Identifier: GPL-3.0-or-later
// The one call that reads the texts of an executable file: its build from its size, then its
// texts and language IDs, reading only the parts of the file that hold them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/file_identity.h"
#include "common/partial_file.h"
#include "exetext/exe_profile.h"
#include "exetext/string_table_reader.h"
#include "textcodes/cstyle.h"

namespace tarn {

// A file whose size is that of no known build: "PATH: unknown file size N, not a known Tarn
// executable".
class UnknownExecutableError : public FileError {
public:
    UnknownExecutableError(const std::filesystem::path& path, std::uint64_t size);
    std::uint64_t size() const { return size_; }

private:
    std::uint64_t size_;
};

struct ExecutableTexts {
    int profile = -1;                // the build, 1 to 4
    std::vector<std::string> texts;  // text n at index n - 1
    std::vector<int> notFound;       // texts whose pointer leads into no text area, ascending
    LanguageIds languageIds;
    int addedTexts = 0;            // in a grown file: texts whose pointer leads into its added
    std::int64_t addedBytes = 0;   // section, and the bytes of the section's text area
};

// The build of the executable at path, from its size, or for a file that has grown from the
// record of its added section. Raises FileError for a file that cannot be read and
// UnknownExecutableError.
int executableProfile(const std::filesystem::path& path);
// The same for a file already open.
int executableProfile(PartialFile& file);

// Reads the texts (in the given notation) and the language IDs of the executable at path into
// read, filling it as it goes so that after an error it holds what was read so far. Raises
// FileError naming the file: one that cannot be opened or read, an UnknownExecutableError, or
// a text that runs to the end of the file ("PATH: unexpected end of data at byte N (a text runs
// to the end of the file)").
void readExecutableTexts(const std::filesystem::path& path, ExecutableTexts& read,
                         Notation notation = Notation::Raw);
// The same for a file already open (through a held folder, say); messages name file.path().
void readExecutableTexts(PartialFile& file, ExecutableTexts& read,
                         Notation notation = Notation::Raw);

// As readExecutableTexts, handing each text to visit as it is read (raw, nullptr for one whose
// pointer leads into no text area) and keeping none: read.texts stays empty, and the memory used
// is the file's text parts and one text.
void visitExecutableTexts(const std::filesystem::path& path, ExecutableTexts& read,
                          const TextVisitor& visit);

}  // namespace tarn

namespace tarn {

// The identity of the executable at path over the parts its texts are read from (the whole
// file when its size is that of no known build). Raises FileError when it cannot be read.
FileIdentity executableIdentity(const std::filesystem::path& path);

// The translated executable as a document last read or wrote it: its texts (raw), its language
// IDs and its identity, taken before the texts were read.
struct TranslatedFileState {
    std::vector<std::string> texts;  // text n at index n - 1
    LanguageIds languageIds;
    FileIdentity identity;
};

// Reads the texts of the translated executable at path with its identity. Raises FileError as
// readExecutableTexts does.
TranslatedFileState readTranslatedFile(const std::filesystem::path& path);

}  // namespace tarn
