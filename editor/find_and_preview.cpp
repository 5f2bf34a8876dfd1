#include "editor/find_and_preview.h"

#include "editor/find/find_form.h"
#include "editor/find/replace_form.h"
#include "editor/find/replace_question.h"
#include "editor/main_window_grid.h"
#include "editor/tfo_form.h"
#include "textcodes/ui/format_code_menu.h"
#include "textcodes/ui/preview_command.h"
#include "textcodes/ui/preview_form.h"

namespace tarn {

FindAndPreview::FindAndPreview(TFoForm& form)
    : QObject(&form), form_(form), grid_(std::make_unique<MainWindowGrid>(form)) {
    // The program creates Find, Preview, Replace and the replace question once, in this order.
    FindForm = new TFindForm(*grid_, &form);
    PreviewForm = new TPreviewForm(&form);
    ReplaceQuestion = new TReplaceQuestion(&form);
    ReplaceForm = new TReplaceForm(*grid_, *ReplaceQuestion, &form);
    Preview = new PreviewCommand(*form.Preview, *PreviewForm, *grid_, this);
    PopupMenu1 = new FormatCodeMenu(*form.PopupMenu1, *grid_, form.EditCut1, form.EditCopy1,
                                    form.EditPaste1, this);
    connect(&form, &TFoForm::settingsLoaded, this, &FindAndPreview::applySettings);
    connect(&form, &TFoForm::aboutToWriteSettings, this, &FindAndPreview::collectSettings);
}

FindAndPreview::~FindAndPreview() = default;

void FindAndPreview::showFind() {
    FindForm->show();
    FindForm->raise();
    FindForm->activateWindow();
}

void FindAndPreview::runReplace() {
    ReplaceForm->execute();
}

void FindAndPreview::PreviewExecute() {
    Preview->PreviewExecute();
}

void FindAndPreview::applySettings() {
    const AppSettings& settings = form_.settings();
    const PreviewSettings& preview = settings.preview;
    PreviewForm->setBackColor(preview.backColor);
    PreviewForm->setTextColor(preview.textColor);
    PreviewForm->resize(preview.width, preview.height);
    if (preview.left != -1) {
        PreviewForm->restorePosition(QPoint(preview.left, preview.top));
        applyPlacementCheck(*PreviewForm);
    }
    // A preview stored as visible is shown by the main window's Preview command afterwards.
    if (settings.replaceWin.left != -1) {
        ReplaceForm->move(settings.replaceWin.left, settings.replaceWin.top);
        applyPlacementCheck(*ReplaceForm);
    }
    if (settings.replaceQuestion.left != -1) {
        ReplaceQuestion->restorePosition(
            QPoint(settings.replaceQuestion.left, settings.replaceQuestion.top));
        applyPlacementCheck(*ReplaceQuestion);
    }
}

void FindAndPreview::collectSettings() {
    AppSettings& settings = form_.settings();
    PreviewSettings& preview = settings.preview;
    preview.backColor = PreviewForm->backColor();
    preview.textColor = PreviewForm->textColor();
    // A window never placed in this run keeps "no position" (and the stored top).
    if (auto position = PreviewForm->positionToStore()) {
        preview.left = position->x();
        preview.top = position->y();
    } else {
        preview.left = -1;
    }
    preview.width = PreviewForm->width();
    preview.height = PreviewForm->height();
    preview.visible = PreviewForm->isVisible();
    settings.replaceWin.left = ReplaceForm->x();
    settings.replaceWin.top = ReplaceForm->y();
    if (auto position = ReplaceQuestion->positionToStore()) {
        settings.replaceQuestion.left = position->x();
        settings.replaceQuestion.top = position->y();
    } else {
        settings.replaceQuestion.left = -1;
    }
}

}  // namespace tarn
