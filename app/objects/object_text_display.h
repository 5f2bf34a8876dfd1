// Object texts (game bytes) as the translation grid shows and edits them: each byte is its
// character of the active code page (a code byte whose character a character table moved shows
// as app/widgets/shown_code_bytes.h says).
#pragma once

#include <QString>
#include <string>

#include "common/code_page.h"

namespace tarn {

QString objTextToDisplay(const std::string& bytes, const CodePage& codePage);

// Fails with MissingCharacter on the first character the code page lacks, which is never
// replaced. A zero character (it would end the text inside the object file) is dropped.
EncodeResult displayToObjText(const QString& text, const CodePage& codePage);

}  // namespace tarn
