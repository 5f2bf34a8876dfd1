#include "app/objects/object_text_display.h"

#include <QList>

namespace tarn {

QString objTextToDisplay(const std::string& bytes, const CodePage& codePage) {
    return QString::fromStdU16String(codePage.toUtf16(bytes));
}

EncodeResult displayToObjText(const QString& text, const CodePage& codePage) {
    EncodeResult result;
    for (const char32_t c : text.toUcs4()) {
        if (c == 0) {
            continue;
        }
        const auto byte = codePage.fromUnicode(c);
        if (!byte) {
            return {{}, EncodeFault::MissingCharacter, c};
        }
        result.bytes.push_back(static_cast<char>(*byte));
    }
    return result;
}

}  // namespace tarn
