// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/preview_wiring.h"

#include "app/main/app_settings.h"
#include "app/main/window_settings.h"
#include "app/preview/preview_action.h"
#include "app/preview/preview_window.h"
#include "app/widgets/window_placement.h"

namespace tarn {

PreviewWiring::PreviewWiring(TextCells& grid, QAction& previewAction, QWidget& window)
    : QObject(&window), window_(window), previewWindow_(new PreviewWindow(&window)) {
    previewCommand_ = new PreviewAction(previewAction, *previewWindow_, grid, this);
}

void PreviewWiring::togglePreview() {
    // A preview never placed opens beside the main window rather than over its menus.
    if (previewWindow_->isHidden() && !previewWindow_->positionToStore()) {
        previewWindow_->move(besideWindow(window_, previewWindow_->frameGeometry().size()));
    }
    previewCommand_->togglePreview();
}

void PreviewWiring::followGrid(TextCells& grid, QWidget& window) {
    previewCommand_->followGrid(grid, window);
}

void PreviewWiring::setCodePage(const CodePage& codePage) {
    previewWindow_->setCodePage(codePage);
}

void PreviewWiring::applySettings(const AppSettings& settings) {
    const PreviewSettings& preview = settings.preview;
    previewWindow_->setBackColor(preview.backColor);
    previewWindow_->setTextColor(preview.textColor);
    previewWindow_->resize(preview.width, preview.height);
    if (preview.left != -1) {
        previewWindow_->restorePosition(QPoint(preview.left, preview.top));
        applyPlacementCheck(*previewWindow_);
    }
}

void PreviewWiring::captureSettings(AppSettings& settings) const {
    PreviewSettings& preview = settings.preview;
    preview.backColor = previewWindow_->backColor();
    preview.textColor = previewWindow_->textColor();
    // A window never placed in this run keeps "no position" (and the stored top).
    if (auto position = previewWindow_->positionToStore()) {
        preview.left = position->x();
        preview.top = position->y();
    } else {
        preview.left = -1;
    }
    preview.width = previewWindow_->width();
    preview.height = previewWindow_->height();
    preview.visible = previewWindow_->isVisible();
}

}  // namespace tarn
