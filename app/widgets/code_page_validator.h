// Refuses, in a line edit, every text the active code page cannot hold: a typed or pasted
// character the page lacks is not taken, the program beeps and the owner is told which
// character it was, so that nothing is ever replaced silently.
#pragma once

#include <QValidator>
#include <functional>

#include "common/code_page.h"

class QLineEdit;

namespace tarn {

class CodePageValidator : public QValidator {
public:
    // Turns an edit's text into game bytes through the active code page.
    using Encode = std::function<EncodeResult(const QString&)>;

    CodePageValidator(Encode encode, QObject* parent);
    State validate(QString& input, int& position) const override;

    // The first missing character of the last text refused (0: malformed text).
    char32_t lastMissing() const { return lastMissing_; }

private:
    Encode encode_;
    mutable char32_t lastMissing_ = 0;
};

// Installs a CodePageValidator on the edit. Every refused input beeps and calls refused with
// the missing character (0 when the text itself was malformed).
void refuseMissingCharacters(QLineEdit& edit, CodePageValidator::Encode encode,
                             std::function<void(char32_t missing)> refused);

}  // namespace tarn
