#include "app/main/find_and_preview.h"

#include "app/find/find_dialog.h"
#include "app/find/replace_dialog.h"
#include "app/find/replace_prompt.h"
#include "app/main/format_code_menu.h"
#include "app/main/grid_text.h"
#include "app/main/main_window.h"
#include "app/main/main_window_grid.h"
#include "app/preview/preview_command.h"
#include "app/preview/preview_window.h"

namespace tarn {

FindAndPreview::FindAndPreview(MainWindow& window, QAction& previewAction, QMenu& formatMenu,
                               QAction* cut, QAction* copy, QAction* paste)
    : QObject(&window), window_(window), grid_(std::make_unique<MainWindowGrid>(window)) {
    setObjectName(QStringLiteral("findAndPreview"));
    // The program creates Find, Preview, Replace and the replace prompt once, in this order.
    findDialog_ = new FindDialog(*grid_, &window);
    previewWindow_ = new PreviewWindow(&window);
    replacePrompt_ = new ReplacePrompt(&window);
    replaceDialog_ = new ReplaceDialog(*grid_, *replacePrompt_, &window);
    previewCommand_ = new PreviewCommand(previewAction, *previewWindow_, *grid_, this);
    formatCodeMenu_ = new FormatCodeMenu(formatMenu, *grid_, cut, copy, paste, this);
    connect(&window, &MainWindow::settingsLoaded, this, &FindAndPreview::applySettings);
    connect(&window, &MainWindow::aboutToWriteSettings, this, &FindAndPreview::collectSettings);
}

FindAndPreview::~FindAndPreview() = default;

void FindAndPreview::showFind() {
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

void FindAndPreview::runReplace() {
    replaceDialog_->execute();
}

void FindAndPreview::togglePreview() {
    previewCommand_->togglePreview();
}

void FindAndPreview::showInCodePage(const CodePage& before, const CodePage& now) {
    const RecodeText recode = [&before, &now](const QString& text) {
        const EncodeResult bytes = displayToGameBytes(text, before);
        return bytes.ok() ? gameBytesToDisplay(bytes.bytes, now) : text;
    };
    findDialog_->recodeTexts(recode);
    replaceDialog_->recodeTexts(recode);
    previewWindow_->setCodePage(now);
}

void FindAndPreview::applySettings() {
    const AppSettings& settings = window_.settings();
    const PreviewSettings& preview = settings.preview;
    previewWindow_->setBackColor(preview.backColor);
    previewWindow_->setTextColor(preview.textColor);
    previewWindow_->resize(preview.width, preview.height);
    if (preview.left != -1) {
        previewWindow_->restorePosition(QPoint(preview.left, preview.top));
        applyPlacementCheck(*previewWindow_);
    }
    // A preview stored as visible is shown by the main window's Preview command afterwards.
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

void FindAndPreview::collectSettings() {
    AppSettings& settings = window_.settings();
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
