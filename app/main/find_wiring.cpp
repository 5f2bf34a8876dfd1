// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/find_wiring.h"

#include "app/find/find_dialog.h"
#include "app/find/replace_dialog.h"
#include "app/find/replace_prompt.h"
#include "app/main/app_settings.h"
#include "app/main/window_settings.h"
#include "app/widgets/display_text.h"

namespace tarn {

FindWiring::FindWiring(ReplaceRunCells& grid, QWidget& window)
    : QObject(&window),
      findDialog_(new FindDialog(grid, &window)),
      replacePrompt_(new ReplacePrompt(&window)),
      replaceDialog_(new ReplaceDialog(grid, *replacePrompt_, &window)) {}

void FindWiring::showFind() {
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

void FindWiring::runReplace() {
    replaceDialog_->startFrom(findDialog_->searchText());
    replaceDialog_->execute();
}

void FindWiring::showInCodePage(const CodePage& before, const CodePage& now) {
    const RecodeText recode = [&before, &now](const QString& text) {
        const EncodeResult bytes = displayToGameBytes(text, before);
        return bytes.ok() ? gameBytesToDisplay(bytes.bytes, now) : text;
    };
    findDialog_->recodeTexts(recode);
    replaceDialog_->recodeTexts(recode);
}

void FindWiring::applySettings(const AppSettings& settings) {
    if (settings.replaceWin.left != -1) {
        replaceDialog_->move(settings.replaceWin.left, settings.replaceWin.top);
        applyPlacementCheck(*replaceDialog_);
    }
    if (settings.replaceQuestion.left != -1) {
        replacePrompt_->restorePosition(
            QPoint(settings.replaceQuestion.left, settings.replaceQuestion.top));
        applyPlacementCheck(*replacePrompt_);
    }
}

void FindWiring::captureSettings(AppSettings& settings) const {
    settings.replaceWin.left = replaceDialog_->x();
    settings.replaceWin.top = replaceDialog_->y();
    if (auto position = replacePrompt_->positionToStore()) {
        settings.replaceQuestion.left = position->x();
        settings.replaceQuestion.top = position->y();
    } else {
        settings.replaceQuestion.left = -1;
    }
}

}  // namespace tarn
