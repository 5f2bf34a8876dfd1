// SPDX-License-Identifier: GPL-3.0-or-later
// Asks the object texts window's pair of language IDs: the source and target of a PO export,
// the target of an import, or the pair the checks compare. One dialog serves them all, made on
// first use; the target it proposes is the main window's primary language ID.
#pragma once

#include <optional>
#include <utility>

class QWidget;

namespace tarn {

class PoLanguageIdsDialog;

// (source, target)
using LanguageIdPair = std::pair<int, int>;

class LanguageIdsQuestion {
public:
    // The window the dialog belongs to; it outlives the question.
    explicit LanguageIdsQuestion(QWidget& window) : window_(window) {}

    void setPrimaryLanguageId(int id) { primaryLanguageId_ = id; }
    // An import reads the target alone. Nothing when cancelled.
    std::optional<LanguageIdPair> askPo(bool exporting);
    // Proposes the pair checked before, if any.
    std::optional<LanguageIdPair> askChecks(const std::optional<LanguageIdPair>& checked);

private:
    PoLanguageIdsDialog& dialog();
    std::optional<LanguageIdPair> answer();

    QWidget& window_;
    PoLanguageIdsDialog* dialog_ = nullptr;  // owned by the window
    int primaryLanguageId_ = 0;
};

}  // namespace tarn
