// Game bytes as the grid shows and edits them: each byte is the character of the game's code
// page (Windows-1252), and the control bytes 0 to 31 show as the Unicode control pictures
// (U+2400 to U+241F) so that every code is visible; each maps back to exactly its byte.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

QString gameBytesToDisplay(std::string_view bytes);
// nullopt when the text holds a character the game's code page does not have.
std::optional<std::string> displayToGameBytes(const QString& text);

}  // namespace tarn
