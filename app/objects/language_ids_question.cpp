// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/language_ids_question.h"

#include "app/objects/po_language_ids_dialog.h"
#include "app/widgets/prompter.h"

namespace tarn {

PoLanguageIdsDialog& LanguageIdsQuestion::dialog() {
    if (dialog_ == nullptr) {
        dialog_ = new PoLanguageIdsDialog(&window_);
    }
    return *dialog_;
}

std::optional<LanguageIdPair> LanguageIdsQuestion::answer() {
    if (prompter().runModal(*dialog_) != QDialog::Accepted) {
        return std::nullopt;
    }
    return LanguageIdPair{dialog_->sourceId(), dialog_->targetId()};
}

std::optional<LanguageIdPair> LanguageIdsQuestion::askPo(bool exporting) {
    dialog().prepare(exporting, 0, primaryLanguageId_);
    return answer();
}

std::optional<LanguageIdPair> LanguageIdsQuestion::askChecks(
    const std::optional<LanguageIdPair>& checked) {
    dialog().prepareChecks(checked ? checked->first : 0,
                           checked ? checked->second : primaryLanguageId_);
    return answer();
}

}  // namespace tarn
