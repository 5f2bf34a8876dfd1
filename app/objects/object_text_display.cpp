#include "app/objects/object_text_display.h"

namespace tarn {

QString objTextToDisplay(const std::string& bytes, const CodePage& codePage) {
    return QString::fromStdU16String(codePage.toUtf16(bytes));
}

EncodeResult displayToObjText(const QString& text, const CodePage& codePage) {
    QString kept = text;
    kept.remove(QChar(0));
    return codePage.fromUtf8(kept.toStdString());
}

}  // namespace tarn
