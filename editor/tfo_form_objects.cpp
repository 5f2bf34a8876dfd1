// The object-file windows of the main window: the object translation window, the object
// language options, the new-ID dialog and the end-user settings, with their stored settings.
#include <QCheckBox>
#include <QLineEdit>

#include "editor/tfo_form.h"
#include "enduser/ui/t_create_exe_settings.h"
#include "objtrans/t_ask_lang_id.h"
#include "objtrans/t_obj_translate.h"
#include "objtrans/t_plugin_lang_settings.h"
#include "app/widgets/prompter.h"

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
    ObjTranslate = new TObjTranslate(this);
    PluginLangSettings = new TPluginLangSettings(this);
    AskLangID = new TAskLangID(ObjTranslate);
    CreateEXESettings = new TCreateEXESettings(ObjTranslate);
    ObjTranslate->AskLangID = AskLangID;
    ObjTranslate->CreateEXESettings = CreateEXESettings;
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
    ObjTranslate->EnhRLE->setChecked(settings_.objTrans.enhRle);

    const ExeSettings& exe = settings_.exeSettings;
    CreateEXESettings->setTextId(exe.textId);
    CreateEXESettings->EnhRLE->setChecked(exe.enhRle);
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        CreateEXESettings->setText(k,
                                   QString::fromStdString(exe.texts[static_cast<std::size_t>(k)]));
    }
    CreateEXESettings->YesChars->setText(QString::fromStdString(exe.yesChars));
    CreateEXESettings->setTarget(exe.target);
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
    settings_.objTrans.enhRle = ObjTranslate->EnhRLE->isChecked();

    ExeSettings& exe = settings_.exeSettings;
    exe.textId = CreateEXESettings->textId();
    exe.enhRle = CreateEXESettings->EnhRLE->isChecked();
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        exe.texts[static_cast<std::size_t>(k)] = CreateEXESettings->text(k).toStdString();
    }
    exe.yesChars = CreateEXESettings->YesChars->text().toStdString();
    exe.target = std::string(patcherTargetName(CreateEXESettings->target()));
}

void TFoForm::TransObjExecute() {
    ObjTranslate->TransExePath = TransExePath;
    prompter().runModal(*ObjTranslate);
}

void TFoForm::PluginLangExecute() {
    LangIds ids{document_.primaryLangId(), document_.secondaryLangId()};
    if (tarn::PluginLangExecute(*PluginLangSettings, ids)) {
        document_.setLangIds(ids.primary, ids.secondary);
        setModified(true);
    }
}

}  // namespace tarn
