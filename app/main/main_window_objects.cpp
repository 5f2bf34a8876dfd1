// The object-file windows of the main window: the object texts window (with its new-ID dialog
// and the end-user settings) and the object language options, with their stored settings.
#include <optional>

#include "app/main/main_window.h"
#include "app/main/texts_history.h"
#include "app/objects/object_language_dialog.h"
#include "app/objects/object_texts_window.h"
#include "app/patch_builder/patch_builder_dialog.h"
#include "app/widgets/prompter.h"
#include "exetext/string_table_commands.h"

namespace tarn {

namespace {

// A window that was never shown nor placed from the settings has no position of its own yet:
// its stored values are kept so that it still centres itself next time.
bool hasOwnPosition(const QWidget& window) {
    return window.testAttribute(Qt::WA_Moved);
}

void restorePosition(QWidget& window, const PositionSettings& stored) {
    if (stored.left != -1) {
        window.move(stored.left, stored.top);
        applyPlacementCheck(window);
    }
}

}  // namespace

void MainWindow::createObjectWindows() {
    objectTextsWindow_ = new ObjectTextsWindow(this);
    objectLanguageDialog_ = new ObjectLanguageDialog(this);
    connect(this, &MainWindow::settingsLoaded, this, &MainWindow::applyObjectWindowSettings);
    connect(this, &MainWindow::aboutToWriteSettings, this,
            &MainWindow::captureObjectWindowSettings);
}

void MainWindow::applyObjectWindowSettings() {
    restorePosition(*objectLanguageDialog_, settings_.pluginLang);

    // Positions are those of the client area, as for the main window, so that they round-trip.
    const PlacementSettings& placement = settings_.objTrans.placement;
    if (placement.left != -1) {
        objectTextsWindow_->setGeometry(placement.left, placement.top, placement.width,
                                        placement.height);
        applyPlacementCheck(*objectTextsWindow_);
        if (placement.isMaximized) {
            objectTextsWindow_->setWindowState(Qt::WindowMaximized);
        }
    }
    objectTextsWindow_->setEnhancedRle(settings_.objTrans.enhRle);
    objectTextsWindow_->setPoFolder(settings_.folders.objectPo);

    const ExeSettings& exe = settings_.exeSettings;
    PatchBuilderDialog& builder = objectTextsWindow_->patchBuilder();
    builder.setTextId(exe.textId);
    builder.setEnhancedRle(exe.enhRle);
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        builder.setText(k, QString::fromStdString(exe.texts[static_cast<std::size_t>(k)]));
    }
    builder.setYesChars(QString::fromStdString(exe.yesChars));
    builder.setTarget(exe.target);
}

void MainWindow::captureObjectWindowSettings() {
    if (hasOwnPosition(*objectLanguageDialog_)) {
        settings_.pluginLang = {objectLanguageDialog_->x(), objectLanguageDialog_->y()};
    }
    if (hasOwnPosition(*objectTextsWindow_)) {
        // The restored bounds, also for a maximized window.
        const bool maximized = objectTextsWindow_->isMaximized();
        const QRect normal =
            maximized ? objectTextsWindow_->normalGeometry() : objectTextsWindow_->geometry();
        settings_.objTrans.placement = {normal.left(), normal.top(), normal.width(),
                                        normal.height(), maximized};
    }
    settings_.objTrans.enhRle = objectTextsWindow_->enhancedRle();
    settings_.folders.objectPo = objectTextsWindow_->poFolder();

    ExeSettings& exe = settings_.exeSettings;
    const PatchBuilderDialog& builder = objectTextsWindow_->patchBuilder();
    exe.textId = builder.textId();
    exe.enhRle = builder.enhancedRle();
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        exe.texts[static_cast<std::size_t>(k)] = builder.text(k).toStdString();
    }
    exe.yesChars = builder.yesChars().toStdString();
    exe.target = std::string(patcherTargetName(builder.target()));
}

void MainWindow::openObjectTexts() {
    objectTextsWindow_->setTranslatedExecutable(transExePath_);
    objectTextsWindow_->setPrimaryLanguageId(document_.primaryLangId());
    prompter().runModal(*objectTextsWindow_);
}

void MainWindow::chooseObjectLanguages() {
    const std::optional<LangIds> ids =
        objectLanguageDialog_->choose({document_.primaryLangId(), document_.secondaryLangId()});
    if (ids) {
        // A step even when the IDs stay: OK marks the texts modified.
        history_->push(
            std::make_unique<SetLangIdsCommand>(document_, ids->primary, ids->secondary));
    }
}

}  // namespace tarn
