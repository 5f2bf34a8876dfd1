// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the 3453 texts of an executable through its pointer blocks.
//
// A text is read from its address's file position up to the terminating zero byte. Byte 23
// (picture) is followed in the file by a 4-byte picture number, least significant first,
// which may hold zeros; the raw text keeps it compactly: 23, then 255 for the number 0, or
// the count 1..4 of significant bytes followed by those bytes.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/file_identity.h"
#include "common/partial_file.h"
#include "exetext/exe_profile.h"
#include "textcodes/cstyle.h"

namespace tarn {

// The text shown for a pointer that leads into no text area.
inline constexpr std::string_view kNotFoundText = "-- Not found! --";

// The pointers of every block in order: text n's at index n - 1. Raises StreamReadError when a
// block lies outside the file.
std::vector<std::uint32_t> readPointers(ByteSource& file, const PointerBlockTable& blocks);

// Called for text n (1-based) with its raw bytes, or with nullptr when its pointer leads into no
// text area.
using TextVisitor = std::function<void(int n, const std::string* raw)>;

// Reads the texts of every pointer block in order, handing each to visit as it is read and
// keeping none: a text is read in one scan to its zero. Raises StreamReadError as
// readStringTable does.
void visitTexts(ByteSource& file, const PointerBlockTable& blocks, const TextAreaTable& areas,
                const TextVisitor& visit);

// Reads the texts of every pointer block in order into column (resized to the number of
// pointers, normally 3453: column[n - 1] holds text n), converting each to C-style notation
// when that is the notation asked for. Numbers of texts whose pointer lies in no area are appended
// to notFound and those texts hold kNotFoundText. Answers true when every pointer was resolved.
// Raises StreamReadError when a pointer block lies outside the file or a text runs to the
// end of the file without its terminator; column then holds the texts read so far. A file
// read by parts raises FileError when it cannot be read.
bool readStringTable(ByteSource& file, std::vector<std::string>& column,
                     const PointerBlockTable& blocks, const TextAreaTable& areas, Notation notation,
                     std::vector<int>& notFound);
bool readStringTable(const Bytes& file, std::vector<std::string>& column,
                     const PointerBlockTable& blocks, const TextAreaTable& areas, Notation notation,
                     std::vector<int>& notFound);

// Reads one text at a file position (the compact raw form, no C-style conversion).
// Raises StreamReadError when the text runs to the end of the file.
std::string readRawText(ByteSource& file, std::uint64_t position);
std::string readRawText(const Bytes& file, std::uint32_t position);

// The parts of an executable of this profile that its texts and language IDs live in: the
// pointer blocks, the text areas and the fix-up spots.
std::vector<FilePart> textParts(const ExeProfile& profile);

// The object-language IDs read by parts, as readLanguageIds over the whole file does. Raises
// StreamReadError when the file is too short to hold them.
LanguageIds readLanguageIds(ByteSource& file, const ExeProfile& profile);

// Both executables' texts, as the main window shows them.
struct LoadedExecutables {
    std::vector<std::string> original;  // text n at index n - 1
    std::vector<std::string> translated;
    std::vector<int> originalNotFound;  // numbers of unresolved texts, ascending
    std::vector<int> translatedNotFound;
    int origProfile = -1;
    int transProfile = -1;
    std::uint8_t primaryLangId = 0;
    std::uint8_t secondaryLangId = 0;
    FileIdentity translatedIdentity;  // taken before the translated file's texts were read
};

// Reads the texts of both files (readExecutableTexts) and the two language ID bytes of the
// translated file. A missing translated file is first created as a copy of the original. Fills
// result as it goes, so after an exception it holds what was read so far. Raises FileError,
// naming the file, when a file cannot be read, has an unknown size or holds a text without its
// terminator.
void loadExecutables(const std::filesystem::path& originalPath,
                     const std::filesystem::path& translatedPath, Notation notation,
                     LoadedExecutables& result);

}  // namespace tarn
