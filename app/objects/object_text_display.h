// Object texts (game bytes) as the translation grid shows and edits them: each byte is its
// character of the game's code page.
#pragma once

#include <QString>
#include <string>

namespace tarn {

QString objTextToDisplay(const std::string& bytes);

// Characters the code page lacks become '?'; a zero character (it would end the text inside
// the object file) is dropped.
std::string displayToObjText(const QString& text);

}  // namespace tarn
