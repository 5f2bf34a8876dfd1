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

}  // namespace tarn
