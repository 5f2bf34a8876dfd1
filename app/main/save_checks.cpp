// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/save_checks.h"

#include <QMainWindow>
#include <set>

#include "app/main/text_filter_bar.h"
#include "app/main/save_errors_dialog.h"
#include "app/main/translation_checks.h"
#include "app/main/window_settings.h"
#include "app/widgets/prompter.h"

namespace tarn {

namespace {

constexpr const char* kSection = "SaveChecks";

}  // namespace

SaveChecks::SaveChecks(WindowParts& parts, TranslationChecks& checks, TextFilterBar& filter)
    : QObject(&parts.window),
      parts_(parts),
      checks_(checks),
      filter_(filter),
      dialog_(new SaveErrorsDialog(&parts.window)) {}

bool SaveChecks::mayWrite() {
    std::set<int> texts;
    const TextFinding* first = nullptr;
    for (const TextFinding& found : checks_.currentFindings()) {
        if (found.finding.severity == Severity::Error) {
            texts.insert(found.text);
            first = first != nullptr ? first : &found;
        }
    }
    const std::string path = parts_.executables.translatedPath.toStdString();
    if (first == nullptr || !asksFor(path)) {
        return true;
    }
    const QString question =
        QStringLiteral("%1 %2 (first: %3 %4). Save anyway?")
            .arg(texts.size())
            .arg(texts.size() == 1 ? QStringLiteral("text has errors")
                                   : QStringLiteral("texts have errors"))
            .arg(first->text, 4, 10, QChar('0'))
            .arg(QLatin1String(first->finding.check.data(),
                               static_cast<qsizetype>(first->finding.check.size())));
    dialog_->ask(question, canBeSettingsKey(path));
    prompter().runModal(*dialog_);
    switch (dialog_->choice()) {
        case SaveErrorsDialog::SaveAnyway:
            if (dialog_->dontAskAgain()) {
                stopAsking(path);
            }
            return true;
        case SaveErrorsDialog::ShowErrors:
            filter_.showOnly(TextFilterKind::WithErrors);
            return false;
        case SaveErrorsDialog::Cancel:
            break;
    }
    return false;
}

bool SaveChecks::asksFor(const std::string& path) const {
    return readFileSetting(parts_, kSection, path, true);
}

void SaveChecks::stopAsking(const std::string& path) {
    storeFileSetting(parts_, kSection, path, false);
}

}  // namespace tarn
