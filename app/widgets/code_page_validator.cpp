#include "app/widgets/code_page_validator.h"

#include <QLineEdit>

#include "app/widgets/prompter.h"

namespace tarn {

CodePageValidator::CodePageValidator(Encode encode, QObject* parent)
    : QValidator(parent), encode_(std::move(encode)) {}

QValidator::State CodePageValidator::validate(QString& input, int&) const {
    const EncodeResult result = encode_(input);
    if (result.ok()) {
        return Acceptable;
    }
    lastMissing_ = result.missing;
    return Invalid;
}

void refuseMissingCharacters(QLineEdit& edit, CodePageValidator::Encode encode,
                             std::function<void(char32_t missing)> refused) {
    auto* validator = new CodePageValidator(std::move(encode), &edit);
    edit.setValidator(validator);
    QObject::connect(&edit, &QLineEdit::inputRejected, validator,
                     [validator, refused = std::move(refused)] {
                         prompter().beep();
                         if (refused) {
                             refused(validator->lastMissing());
                         }
                     });
}

}  // namespace tarn
