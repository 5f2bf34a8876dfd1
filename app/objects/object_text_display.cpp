#include "app/objects/object_text_display.h"

#include "app/widgets/shown_code_bytes.h"

namespace tarn {

QString objTextToDisplay(const std::string& bytes, const CodePage& codePage) {
    std::u16string shown = codePage.toUtf16(bytes);
    if (codePage.hasPlaced()) {
        for (std::size_t i = 0; i < shown.size(); ++i) {
            shown[i] = shownCharacter(static_cast<unsigned char>(bytes[i]), codePage);
        }
    }
    return QString::fromStdU16String(shown);
}

EncodeResult displayToObjText(const QString& text, const CodePage& codePage) {
    QString kept = text;
    kept.remove(QChar(0));
    if (!codePage.hasPlaced()) {
        return codePage.fromUtf8(kept.toStdString());
    }
    // Moved code bytes come back as themselves; everything else goes through the page.
    EncodeResult result;
    qsizetype start = 0;
    const auto takeRun = [&](qsizetype end) {
        EncodeResult run = codePage.fromUtf8(kept.mid(start, end - start).toStdString());
        if (!run.ok()) {
            result = std::move(run);
            return false;
        }
        result.bytes += run.bytes;
        return true;
    };
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (const auto moved = movedCodeByte(kept[i].unicode(), codePage)) {
            if (!takeRun(i)) {
                return result;
            }
            result.bytes += static_cast<char>(*moved);
            start = i + 1;
        }
    }
    takeRun(kept.size());
    return result;
}

}  // namespace tarn
