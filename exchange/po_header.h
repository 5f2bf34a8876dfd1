// SPDX-License-Identifier: GPL-3.0-or-later
// The header of the PO files we write.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

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

}  // namespace tarn
