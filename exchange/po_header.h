// SPDX-License-Identifier: GPL-3.0-or-later
// The header of the PO files we write.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "common/code_page.h"
#include "exchange/po_file.h"

namespace tarn {

// Project-Id-Version, PO-Revision-Date (written, UTC), Last-Translator and Language-Team
// (left empty for the translator's tool), Language, MIME-Version, Content-Type (UTF-8),
// Content-Transfer-Encoding and X-Generator ("tarntool <version>", or the program given).
// language is empty or a code that isPoLanguageCode accepts (std::invalid_argument otherwise), so
// that no caller can break or forge the header's lines.
PoHeaderFields poHeader(std::string_view language, std::string_view version, std::time_t written,
                        std::string_view program = "tarntool");

// A language code as PO headers hold it ("de", "pt_BR", "sr@latin"): letters, digits, "_",
// "-", "." and "@" only, so that it cannot break the header's lines.
bool isPoLanguageCode(std::string_view language);

// The language a translation's PO files are proposed to carry: the spelling language when one is
// chosen ("pt-BR" written "pt_BR"), else the language a code page is mostly used for ("pl" for
// 1250, "ru" for 1251, ...); empty for 1252, which serves too many to guess.
std::string proposedPoLanguage(std::string_view spellingLanguage, int codePage);

// The characters a PO file's texts were converted with: the code page and the character table
// laid over it, named by its file name and told apart by a digest of its bytes.
struct PoCharacters {
    int codePage = 1252;
    std::string tableName;  // empty without a table
    std::uint64_t tableDigest = 0;
};

// The characters of a page: the table's digest is that of the characters it places (0 without
// any), so a table is told apart by what it does, not by its comments or its name.
PoCharacters poCharactersOf(const CodePage& page, const std::string& tableName);

// Adds X-Tarn-Code-Page ("1250") and X-Tarn-Character-Table ("czech.tbl 0123456789abcdef", or
// empty without a table) to a header.
void addCharacterFields(PoHeaderFields& header, const PoCharacters& characters);

// For a file whose X-Tarn fields name other characters than those it is read with, the warning
// that names both: "FILE: made with code page 1250 and the character table czech.tbl, read with
// code page 1252 and no character table; letters may come out wrong". Nothing for a file without
// the fields (made by another tool or an older version) or with the same characters.
std::optional<std::string> characterMismatch(const PoHeaderFields& header,
                                             const PoCharacters& reading,
                                             const std::string& fileName);

}  // namespace tarn
