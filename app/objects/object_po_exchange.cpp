// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_po_exchange.h"

#include <exception>

#include "app/objects/language_ids_question.h"
#include "app/objects/object_texts_session.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/po_prompts.h"
#include "app/widgets/prompter.h"
#include "app/widgets/session_notes.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

void ObjectPoExchange::setHeaderValues(std::string language, std::string tableName) {
    language_ = std::move(language);
    tableName_ = std::move(tableName);
}

QString ObjectPoExchange::proposedFileName() const {
    // "objects-pl.po": the object texts and the translation's language.
    return language_.empty()
               ? QStringLiteral("objects.po")
               : QStringLiteral("objects-%1.po").arg(QString::fromStdString(language_));
}

PoCompanions ObjectPoExchange::companions() const {
    PoCompanions found = readPoCompanions({}, parts_.codePage, tableName_);
    found.notes = parts_.notes.notes();
    return found;
}

void ObjectPoExchange::exportTranslation() {
    const std::optional<LanguageIdPair> ids = parts_.ids.askPo(true);
    if (!ids) {
        return;
    }
    const auto path = askForFile(
        &parts_.window,
        poFilePrompt(true, QStringLiteral("objectExportPoFileDialog"), proposedFileName()),
        folder_);
    if (!path) {
        return;
    }
    try {
        const std::vector<Problem> problems = exportPoFile(
            toFilePath(*path), parts_.session.document(), static_cast<std::uint8_t>(ids->first),
            static_cast<std::uint8_t>(ids->second), tarnEditPoHeader(language_), parts_.codePage,
            companions());
        if (!problems.empty()) {
            showPoReport("Nothing was exported:" + listedLines(describe(problems)),
                         exportPoCaption(), true);
            return;
        }
        parts_.showStatus(QStringLiteral("Exported to %1").arg(*path));
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

void ObjectPoExchange::importTranslation() {
    const std::optional<LanguageIdPair> ids = parts_.ids.askPo(false);
    if (!ids) {
        return;
    }
    const auto path = askForFile(
        &parts_.window, poFilePrompt(false, QStringLiteral("objectImportPoFileDialog")), folder_);
    if (!path) {
        return;
    }
    parts_.grid.closeCellEditor();  // an open cell editor keeps what was typed
    ObjectTextsDocument& document = parts_.session.stepTarget();  // read for the step
    PoImportReport report;
    bool failed = false;
    try {
        const auto targetId = static_cast<std::uint8_t>(ids->second);
        PoCompanions found = companions();
        ObjectPoImport import =
            objectPoImport(toFilePath(*path), document, targetId, parts_.codePage, found);
        if (skipProblemsQuestion(import.report)) {
            if (!askToSkipProblems(import.report, importPoCaption())) {
                return;  // the problems were shown with the question
            }
            found = companions();
            import = objectPoImport(toFilePath(*path), document, targetId, parts_.codePage, found,
                                    PoProblems::SkipMessages);
        }
        report = std::move(import.report);
        // The texts and the notes the import changed are one step, saved together.
        const bool notes = import.step && found.notes != parts_.notes.notes();
        if (notes) {
            parts_.session.stack().beginMacro(importPoCaption());
        }
        if (import.step) {
            parts_.session.push(std::move(import.step));  // one step, however many files
        }
        if (notes) {
            parts_.notes.replaceAll(std::move(found.notes));
            parts_.session.stack().endMacro();
        }
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
        failed = true;
    }
    if (failed) {
        return;
    }
    const bool refused = !report.problems.empty() && !report.skipped;
    if (!refused) {
        parts_.showStatus(QString::fromStdString(importSummaryLine(report.counts)));
    }
    showPoReport(importReportText(report), importPoCaption(), refused);
}

}  // namespace tarn
