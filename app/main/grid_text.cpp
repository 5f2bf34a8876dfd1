#include "app/main/grid_text.h"

#include "common/game_code_page.h"

namespace tarn {

namespace {
constexpr char16_t kControlPictures = 0x2400;
}

QString gameBytesToDisplay(std::string_view bytes) {
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* data = out.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        data[i] = b < 32 ? QChar(static_cast<char16_t>(kControlPictures + b))
                         : QChar(static_cast<char16_t>(gameByteToUnicode(b)));
    }
    return out;
}

std::optional<std::string> displayToGameBytes(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= kControlPictures && u < kControlPictures + 32) {
            out += static_cast<char>(u - kControlPictures);
            continue;
        }
        if (c.isSurrogate()) {
            return std::nullopt;
        }
        const auto b = unicodeToGameByte(u);
        if (!b) {
            return std::nullopt;
        }
        out += static_cast<char>(*b);
    }
    return out;
}

}  // namespace tarn
