// SPDX-License-Identifier: GPL-3.0-or-later
#include <QMainWindow>
#include <optional>

#include "app/main/app_settings.h"
#include "app/main/object_actions.h"
#include "app/main/texts_session.h"
#include "app/main/window_settings.h"
#include "app/objects/object_language_dialog.h"
#include "app/objects/object_texts_window.h"
#include "app/patch_builder/patch_builder_dialog.h"
#include "app/widgets/po_prompts.h"
#include "app/widgets/prompter.h"
#include "exchange/po_header.h"
#include "exetext/string_table_commands.h"
#include "objfiles/object_folder.h"

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

ObjectActions::ObjectActions(WindowParts& parts)
    : QObject(&parts.window),
      parts_(parts),
      objectTextsWindow_(new ObjectTextsWindow(&parts.window)),
      objectLanguageDialog_(new ObjectLanguageDialog(&parts.window)) {}

void ObjectActions::setCodePage(const CodePage& codePage) {
    objectTextsWindow_->setCodePage(codePage);
    passPoHeaderValues();
}

void ObjectActions::passPoHeaderValues() {
    const AppSettings& settings = parts_.settings;
    const std::string& language = settings.translation.language;
    objectTextsWindow_->setPoHeaderValues(
        isPoLanguageCode(language)
            ? language
            : proposedPoLanguage(settings.spelling.language, parts_.codePage.number()),
        characterTableName(settings.characters.tableFile));
}

void ObjectActions::markUsedBytes(UsedBytes& used) const {
    const ObjectTextsDocument& shown = objectTextsWindow_->document();
    ObjectTextsDocument read;
    const ObjectTextsDocument* document = &shown;
    if (shown.files().empty()) {
        const auto folder = findObjDataFolder(toFilePath(parts_.executables.translatedPath));
        if (!folder || parts_.executables.translatedPath.isEmpty()) {
            return;
        }
        read.loadFolder(*folder);
        document = &read;
    }
    for (const ObjectFile& file : document->files()) {
        for (const ObjectTextGroup& group : file.texts) {
            for (const ObjectText& text : group) {
                for (const char c : text.text) {
                    used[static_cast<unsigned char>(c)] = true;
                }
            }
        }
    }
}

void ObjectActions::applySettings() {
    const AppSettings& settings = parts_.settings;
    restorePosition(*objectLanguageDialog_, settings.pluginLang);

    // Positions are those of the client area, as for the main window, so that they round-trip.
    const PlacementSettings& placement = settings.objectWindow.placement;
    if (placement.left != -1) {
        objectTextsWindow_->setGeometry(placement.left, placement.top, placement.width,
                                        placement.height);
        applyPlacementCheck(*objectTextsWindow_);
        if (placement.isMaximized) {
            objectTextsWindow_->setWindowState(Qt::WindowMaximized);
        }
    }
    objectTextsWindow_->setEnhancedRle(settings.objectWindow.enhRle);
    objectTextsWindow_->setPoFolder(settings.folders.objectPo);
    passPoHeaderValues();

    const ExeSettings& exe = settings.exeSettings;
    PatchBuilderDialog& builder = objectTextsWindow_->patchBuilder();
    builder.setTextId(exe.textId);
    builder.setEnhancedRle(exe.enhRle);
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        builder.setText(k, QString::fromStdString(exe.texts[static_cast<std::size_t>(k)]));
    }
    builder.setYesChars(QString::fromStdString(exe.yesChars));
    builder.setTarget(exe.target);
}

void ObjectActions::captureSettings() {
    AppSettings& settings = parts_.settings;
    if (hasOwnPosition(*objectLanguageDialog_)) {
        settings.pluginLang = {objectLanguageDialog_->x(), objectLanguageDialog_->y()};
    }
    if (hasOwnPosition(*objectTextsWindow_)) {
        // The restored bounds, also for a maximized window.
        const bool maximized = objectTextsWindow_->isMaximized();
        const QRect normal =
            maximized ? objectTextsWindow_->normalGeometry() : objectTextsWindow_->geometry();
        settings.objectWindow.placement = {normal.left(), normal.top(), normal.width(), normal.height(),
                                       maximized};
    }
    settings.objectWindow.enhRle = objectTextsWindow_->enhancedRle();
    settings.folders.objectPo = objectTextsWindow_->poFolder();

    ExeSettings& exe = settings.exeSettings;
    const PatchBuilderDialog& builder = objectTextsWindow_->patchBuilder();
    exe.textId = builder.textId();
    exe.enhRle = builder.enhancedRle();
    for (int k = 0; k < kExeSettingsTexts; ++k) {
        exe.texts[static_cast<std::size_t>(k)] = builder.text(k).toStdString();
    }
    exe.yesChars = builder.yesChars().toStdString();
    exe.target = std::string(patcherTargetName(builder.target()));
}

void ObjectActions::setNotation(Notation notation) {
    objectTextsWindow_->setNotation(notation);
}

void ObjectActions::openObjectTexts() {
    ObjectTextsWindow& window = *objectTextsWindow_;
    window.setPrimaryLanguageId(parts_.document.primaryLangId());
    window.setNotation(parts_.document.notation());
    window.patchBuilder().setExecutables(parts_.executables.originalPath,
                                         parts_.executables.translatedPath,
                                         parts_.executables.mayGrow);
    if (!window.isVisible()) {
        // An open window keeps the files it has loaded.
        window.setTranslatedExecutable(parts_.executables.translatedPath);
        window.show();
    }
    window.raise();
    window.activateWindow();
}

bool ObjectActions::closeObjectTexts() {
    return !objectTextsWindow_->isVisible() || objectTextsWindow_->close();
}

void ObjectActions::chooseObjectLanguages() {
    const std::optional<LangIds> ids = objectLanguageDialog_->choose(
        {parts_.document.primaryLangId(), parts_.document.secondaryLangId()});
    if (ids) {
        // A step even when the IDs stay: OK marks the texts modified.
        parts_.session.push(
            std::make_unique<SetLangIdsCommand>(parts_.session.stepTarget(), ids->primary, ids->secondary));
    }
}

}  // namespace tarn
