// The object-file windows of the main window: the object translation window, the object
// language options, the new-ID dialog and the end-user settings, with their stored settings.
#include <QCheckBox>
#include <QLineEdit>

#include "app/main/main_window.h"
#include "app/widgets/prompter.h"
#include "enduser/ui/t_create_exe_settings.h"
#include "objtrans/t_ask_lang_id.h"
#include "objtrans/t_obj_translate.h"
#include "objtrans/t_plugin_lang_settings.h"

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
    objectTextsWindow_ = new TObjTranslate(this);
    objectLanguageDialog_ = new TPluginLangSettings(this);
    newLanguageIdDialog_ = new TAskLangID(objectTextsWindow_);
    patchBuilderDialog_ = new TCreateEXESettings(objectTextsWindow_);
    objectTextsWindow_->AskLangID = newLanguageIdDialog_;
    objectTextsWindow_->CreateEXESettings = patchBuilderDialog_;
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
    objectTextsWindow_->EnhRLE->setChecked(settings_.objTrans.enhRle);

    const ExeSettings& exe = settings_.exeSettings;
    patchBuilderDialog_->setTextId(exe.textId);
    patchBuilderDialog_->EnhRLE->setChecked(exe.enhRle);
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        patchBuilderDialog_->setText(
            k, QString::fromStdString(exe.texts[static_cast<std::size_t>(k)]));
    }
    patchBuilderDialog_->YesChars->setText(QString::fromStdString(exe.yesChars));
    patchBuilderDialog_->setTarget(exe.target);
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
    settings_.objTrans.enhRle = objectTextsWindow_->EnhRLE->isChecked();

    ExeSettings& exe = settings_.exeSettings;
    exe.textId = patchBuilderDialog_->textId();
    exe.enhRle = patchBuilderDialog_->EnhRLE->isChecked();
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        exe.texts[static_cast<std::size_t>(k)] = patchBuilderDialog_->text(k).toStdString();
    }
    exe.yesChars = patchBuilderDialog_->YesChars->text().toStdString();
    exe.target = std::string(patcherTargetName(patchBuilderDialog_->target()));
}

void MainWindow::openObjectTexts() {
    objectTextsWindow_->TransExePath = transExePath_;
    prompter().runModal(*objectTextsWindow_);
}

void MainWindow::chooseObjectLanguages() {
    LangIds ids{document_.primaryLangId(), document_.secondaryLangId()};
    if (tarn::PluginLangExecute(*objectLanguageDialog_, ids)) {
        document_.setLangIds(ids.primary, ids.secondary);
        setModified(true);
    }
}

}  // namespace tarn
