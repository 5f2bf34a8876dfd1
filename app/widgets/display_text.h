// SPDX-License-Identifier: GPL-3.0-or-later
// Game bytes as the grid shows and edits them: each byte is the character of the active code
// page, and the control bytes 0 to 31 show as the Unicode control pictures (U+2400 to U+241F)
// so that every code is visible; each maps back to exactly its byte (a code byte whose
// character a character table moved shows as app/widgets/shown_code_bytes.h says).
#pragma once

#include <QString>
#include <string_view>

#include "common/code_page.h"

namespace tarn {

QString gameBytesToDisplay(std::string_view bytes, const CodePage& codePage);
// Fails with MissingCharacter naming the first character the code page does not have.
EncodeResult displayToGameBytes(const QString& text, const CodePage& codePage);

}  // namespace tarn
