// The object-file windows of the main window: the object texts window (with its new-ID dialog
// and the end-user settings) and the object language options, with their stored settings.
#include <optional>

#include "app/objects/object_language_dialog.h"
#include "app/objects/object_texts_window.h"
#include "app/patch_builder/patch_builder_dialog.h"
#include "app/widgets/prompter.h"
#include "editor/tfo_form.h"

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

void TFoForm::createObjectWindows() {
    ObjTranslate = new ObjectTextsWindow(this);
    PluginLangSettings = new ObjectLanguageDialog(this);
    connect(this, &TFoForm::settingsLoaded, this, &TFoForm::applyObjectWindowSettings);
    connect(this, &TFoForm::aboutToWriteSettings, this, &TFoForm::captureObjectWindowSettings);
}

void TFoForm::applyObjectWindowSettings() {
    restorePosition(*PluginLangSettings, settings_.pluginLang);

    // Positions are those of the client area, as for the main window, so that they round-trip.
    const PlacementSettings& placement = settings_.objTrans.placement;
    if (placement.left != -1) {
        ObjTranslate->setGeometry(placement.left, placement.top, placement.width, placement.height);
        applyPlacementCheck(*ObjTranslate);
        if (placement.isMaximized) {
            ObjTranslate->setWindowState(Qt::WindowMaximized);
        }
    }
    ObjTranslate->setEnhancedRle(settings_.objTrans.enhRle);

    const ExeSettings& exe = settings_.exeSettings;
    PatchBuilderDialog& builder = ObjTranslate->patchBuilder();
    builder.setTextId(exe.textId);
    builder.setEnhancedRle(exe.enhRle);
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        builder.setText(k, QString::fromStdString(exe.texts[static_cast<std::size_t>(k)]));
    }
    builder.setYesChars(QString::fromStdString(exe.yesChars));
    builder.setTarget(exe.target);
}

void TFoForm::captureObjectWindowSettings() {
    if (hasOwnPosition(*PluginLangSettings)) {
        settings_.pluginLang = {PluginLangSettings->x(), PluginLangSettings->y()};
    }
    if (hasOwnPosition(*ObjTranslate)) {
        // The restored bounds, also for a maximized window.
        const bool maximized = ObjTranslate->isMaximized();
        const QRect normal = maximized ? ObjTranslate->normalGeometry() : ObjTranslate->geometry();
        settings_.objTrans.placement = {normal.left(), normal.top(), normal.width(),
                                        normal.height(), maximized};
    }
    settings_.objTrans.enhRle = ObjTranslate->enhancedRle();

    ExeSettings& exe = settings_.exeSettings;
    const PatchBuilderDialog& builder = ObjTranslate->patchBuilder();
    exe.textId = builder.textId();
    exe.enhRle = builder.enhancedRle();
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        exe.texts[static_cast<std::size_t>(k)] = builder.text(k).toStdString();
    }
    exe.yesChars = builder.yesChars().toStdString();
    exe.target = std::string(patcherTargetName(builder.target()));
}

void TFoForm::TransObjExecute() {
    ObjTranslate->setTranslatedExecutable(TransExePath);
    prompter().runModal(*ObjTranslate);
}

void TFoForm::PluginLangExecute() {
    const std::optional<LangIds> ids =
        PluginLangSettings->choose({document_.primaryLangId(), document_.secondaryLangId()});
    if (ids) {
        document_.setLangIds(ids->primary, ids->secondary);
        setModified(true);
    }
}

}  // namespace tarn
