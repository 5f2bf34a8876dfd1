#include "app/objects/object_text_display.h"

#include <QList>

#include "common/game_code_page.h"

namespace tarn {

QString objTextToDisplay(const std::string& bytes) {
    std::u32string chars;
    chars.reserve(bytes.size());
    for (const char b : bytes) {
        chars.push_back(gameByteToUnicode(static_cast<unsigned char>(b)));
    }
    return QString::fromUcs4(chars.data(), static_cast<qsizetype>(chars.size()));
}

std::string displayToObjText(const QString& text) {
    std::string out;
    for (const uint c : text.toUcs4()) {
        if (c == 0) {
            continue;
        }
        const auto byte = unicodeToGameByte(c);
        out.push_back(static_cast<char>(byte ? *byte : '?'));
    }
    return out;
}

}  // namespace tarn
