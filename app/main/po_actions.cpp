// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/po_actions.h"

#include <QFileInfo>
#include <QMainWindow>
#include <exception>

#include "app/main/app_settings.h"
#include "app/main/po_language_dialog.h"
#include "app/main/status_line.h"
#include "app/main/texts_session.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/po_prompts.h"
#include "app/widgets/prompter.h"
#include "app/widgets/session_notes.h"
#include "app/widgets/text_grid_view.h"
#include "exchange/document_po.h"
#include "exchange/po_header.h"

namespace tarn {

PoActions::PoActions(WindowParts& parts, SessionNotes& notes)
    : QObject(&parts.window), parts_(parts), notes_(notes) {}

void PoActions::exportTranslation() {
    parts_.grid.closeCellEditor();  // what was typed is exported too
    std::string& language = parts_.settings.translation.language;
    if (!isPoLanguageCode(language)) {  // none yet, or one spoilt by hand
        const auto chosen = askPoLanguage(
            proposedPoLanguage(parts_.settings.spelling.language, parts_.codePage.number()),
            &parts_.window);
        if (!chosen) {
            return;
        }
        language = *chosen;
    }
    // "Tarn-pl.po": the translated executable's name and the language.
    const QString proposed = QStringLiteral("%1-%2.po").arg(
        QFileInfo(parts_.executables.translatedPath).completeBaseName(),
        QString::fromStdString(language));
    const auto path = askForFile(
        &parts_.window, poFilePrompt(true, QStringLiteral("exportPoFileDialog"), proposed),
        parts_.settings.folders.translationPo);
    if (!path) {
        return;
    }
    try {
        const std::vector<Problem> problems =
            exportPoFile(toFilePath(*path), parts_.document, tarnEditPoHeader(language),
                         parts_.codePage, companions());
        if (!problems.empty()) {
            showPoReport("Nothing was exported:" + listedLines(describe(problems)),
                         exportPoCaption(), true);
            return;
        }
        parts_.status.show(QStringLiteral("Exported to %1").arg(*path));
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

void PoActions::importTranslation() {
    parts_.grid.closeCellEditor();
    const auto path =
        askForFile(&parts_.window, poFilePrompt(false, QStringLiteral("importPoFileDialog")),
                   parts_.settings.folders.translationPo);
    if (path) {
        importTranslationFrom(*path);
    }
}

void PoActions::importTranslationFrom(const QString& poPath) {
    parts_.grid.closeCellEditor();
    const std::filesystem::path path = toFilePath(poPath);
    PoImportReport report;
    std::unique_ptr<SetTextsCommand> change;
    PoCompanions found;
    try {
        found = companions();
        report =
            importPoFile(path, parts_.session.stepTarget(), parts_.codePage, change, found);
        if (skipProblemsQuestion(report)) {
            if (!askToSkipProblems(report, importPoCaption())) {
                return;  // the problems were shown with the question
            }
            found = companions();
            report = importPoFile(path, parts_.session.stepTarget(), parts_.codePage, change,
                                  found, PoProblems::SkipMessages);
        }
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
        return;
    }
    // The texts and the notes the import changed are one step, saved together.
    const bool texts = change && report.counts.applied > 0;
    const bool notes = change && found.notes != notes_.notes();
    // Read-only, each refuses (and says so): no empty step is left.
    const bool both = texts && notes && !parts_.session.isReadOnly();
    if (both) {
        parts_.session.stack().beginMacro(importPoCaption());
    }
    if (texts) {
        parts_.session.push(std::move(change));
    }
    if (notes) {
        notes_.replaceAll(std::move(found.notes));
    }
    if (both) {
        parts_.session.stack().endMacro();
    }
    showPoReport(importReportText(report), importPoCaption(),
                 !report.problems.empty() && !report.skipped);
}

PoCompanions PoActions::companions() const {
    PoCompanions found = readPoCompanions({}, parts_.codePage,
                                          characterTableName(parts_.settings.characters.tableFile));
    found.notes = notes_.notes();  // the window's, typed since the last save included
    return found;
}

}  // namespace tarn
