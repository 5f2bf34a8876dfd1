// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/code_page_validator.h"

#include <QLineEdit>
#include <algorithm>

#include "app/widgets/prompter.h"
#include "common/code_page_choice.h"

namespace tarn {

CodePageValidator::CodePageValidator(QLineEdit& edit, FieldText field, ChangeRule rule)
    : QValidator(&edit),
      edit_(edit),
      field_(std::move(field)),
      rule_(std::move(rule)),
      held_(edit.text()) {
    earlier_.insert(held_);
}

QValidator::State CodePageValidator::validate(QString& input, int& position) const {
    const EncodeResult whole = field_.encode(input);
    if (!whole.ok()) {
        return refuse(
            whole.fault == EncodeFault::MissingCharacter
                ? QString::fromStdString(missingCharacterMessage(whole.missing, field_.codePage()))
                : QString());
    }
    // A text set by the program (the cell's own text, a change of code page) is not typed: the
    // line edit's modified flag is cleared by every setText. Undo and redo only go back to
    // texts the field has held.
    if (!edit_.isModified()) {
        earlier_.clear();
    } else if (!earlier_.contains(input)) {
        const EncodeResult typed = field_.encode(insertedPart(input));
        const CodePage page = field_.codePage();
        if (const auto code = findTypedCode(typed.bytes, page, field_.notation())) {
            return refuse(QString::fromStdString(typedCodeMessage(*code, page, field_.notation())));
        }
        if (rule_) {
            if (QString reason = rule_(held_, input, position); !reason.isEmpty()) {
                return refuse(std::move(reason));
            }
        }
    }
    held_ = input;
    earlier_.insert(input);
    return Acceptable;
}

QString CodePageValidator::insertedPart(const QString& input) const {
    const qsizetype shorter = std::min(held_.size(), input.size());
    qsizetype prefix = 0;
    while (prefix < shorter && held_[prefix] == input[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           held_[held_.size() - 1 - suffix] == input[input.size() - 1 - suffix]) {
        ++suffix;
    }
    return input.mid(prefix, input.size() - prefix - suffix);
}

QValidator::State CodePageValidator::refuse(QString reason) const {
    lastRefusal_ = std::move(reason);
    return Invalid;
}

void refuseUnstorableCharacters(QLineEdit& edit, FieldText field,
                                std::function<void(const QString& message)> refused,
                                ChangeRule rule) {
    auto* validator = new CodePageValidator(edit, std::move(field), std::move(rule));
    edit.setValidator(validator);
    QObject::connect(&edit, &QLineEdit::inputRejected, validator,
                     [validator, refused = std::move(refused)] {
                         prompter().beep();
                         if (refused && !validator->lastRefusal().isEmpty()) {
                             refused(validator->lastRefusal());
                         }
                     });
}

}  // namespace tarn
