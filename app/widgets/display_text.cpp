// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/display_text.h"

#include "app/widgets/shown_code_bytes.h"

namespace tarn {

namespace {
constexpr char16_t kControlPictures = 0x2400;
}

QString gameBytesToDisplay(std::string_view bytes, const CodePage& codePage) {
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* data = out.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        data[i] = b < 32 ? QChar(static_cast<char16_t>(kControlPictures + b))
                         : QChar(shownCharacter(b, codePage));
    }
    return out;
}

EncodeResult displayToGameBytes(const QString& text, const CodePage& codePage) {
    EncodeResult result;
    result.bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u >= kControlPictures && u < kControlPictures + 32) {
            result.bytes += static_cast<char>(u - kControlPictures);
            continue;
        }
        if (const auto moved = movedCodeByte(u, codePage)) {
            result.bytes += static_cast<char>(*moved);
            continue;
        }
        char32_t character = u;
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            character = QChar::surrogateToUcs4(u, text[i + 1].unicode());
        } else if (QChar::isSurrogate(u)) {
            return {{}, EncodeFault::InvalidUtf8, 0};
        }
        const auto b = codePage.fromUnicode(character);
        if (!b) {
            return {{}, EncodeFault::MissingCharacter, character};
        }
        result.bytes += static_cast<char>(*b);
    }
    return result;
}

}  // namespace tarn
