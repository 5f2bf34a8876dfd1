// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/recent_translations_menu.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include "app/main/app_settings.h"
#include "app/main/character_table_actions.h"
#include "app/main/file_actions.h"
#include "app/main/spelling_actions.h"
#include "app/main/window_font.h"
#include "app/main/window_parts.h"
#include "app/widgets/cell_rules.h"

namespace tarn {

RecentTranslationsMenu::RecentTranslationsMenu(QMenu& menu, WindowParts& parts, Actions actions)
    : QObject(&menu), menu_(menu), parts_(parts), actions_(actions) {
    connect(&menu_, &QMenu::aboutToShow, this, &RecentTranslationsMenu::fill);
    fill();
}

void RecentTranslationsMenu::rememberOpen() {
    const OpenExecutables& exes = parts_.executables;
    if (exes.originalProfile < 0 || exes.translatedProfile < 0) {
        return;  // nothing was loaded
    }
    const AppSettings& settings = parts_.settings;
    rememberTranslation(parts_.settings.recent,
                        {exes.originalPath.toStdString(), exes.translatedPath.toStdString(),
                         actions_.font.charset(), settings.characters.tableFile,
                         settings.spelling.language, settings.translation.language});
}

void RecentTranslationsMenu::fill() {
    menu_.clear();
    const std::vector<RecentTranslation>& list = parts_.settings.recent;
    if (list.empty()) {
        menu_.addAction(QStringLiteral("No translation opened yet"))->setEnabled(false);
        return;
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        QString translated = QDir::toNativeSeparators(QString::fromStdString(list[i].translated));
        const QString original = QDir::toNativeSeparators(QString::fromStdString(list[i].original));
        // An ampersand of the path is shown, not taken for the item's key.
        translated.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action = menu_.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(translated));
        action->setObjectName(QStringLiteral("recentTranslation%1").arg(i + 1));
        action->setStatusTip(QStringLiteral("Open this translation of %1").arg(original));
        connect(action, &QAction::triggered, this, [this, i] { open(i); });
    }
}

void RecentTranslationsMenu::open(std::size_t index) {
    if (index >= parts_.settings.recent.size() || !parts_.cellRules.checkCurrentCell()) {
        return;
    }
    const RecentTranslation entry = parts_.settings.recent[index];
    rememberOpen();  // the translation left keeps its settings as they are now
    const bool opened = actions_.files.openOther(
        QString::fromStdString(entry.original), QString::fromStdString(entry.translated), [&] {
            AppSettings& settings = parts_.settings;
            settings.characters.tableFile = entry.tableFile;
            settings.spelling.language = entry.spellingLanguage;
            settings.translation.language = entry.poLanguage;
            actions_.font.setCharset(entry.fontCharset);
            actions_.table.applySettings();
            actions_.spelling.applySettings();
        });
    if (opened) {
        rememberOpen();
    }
}

}  // namespace tarn
