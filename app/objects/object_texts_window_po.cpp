// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's PO commands: export the texts between two language IDs for a
// translator's tool, import its translations into the document (saved with the window's Save).
#include <QPushButton>
#include <exception>

#include "app/objects/object_texts_session.h"
#include "app/objects/object_texts_window.h"
#include "app/objects/po_language_ids_dialog.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/po_prompts.h"
#include "app/widgets/prompter.h"
#include "app/widgets/text_grid_view.h"
#include "exchange/document_po.h"

namespace tarn {

void ObjectTextsWindow::createPoButtons() {
    exportPoButton_ = new QPushButton(exportPoCaption() + QStringLiteral("..."), buttonPanel_);
    importPoButton_ = new QPushButton(importPoCaption() + QStringLiteral("..."), buttonPanel_);
    connect(exportPoButton_, &QPushButton::clicked, this, &ObjectTextsWindow::exportTranslation);
    connect(importPoButton_, &QPushButton::clicked, this, &ObjectTextsWindow::importTranslation);
}

void ObjectTextsWindow::setPoHeaderValues(std::string language, std::string tableName) {
    poLanguage_ = std::move(language);
    tableName_ = std::move(tableName);
}

QString ObjectTextsWindow::proposedPoFileName() const {
    // "objects-pl.po": the object texts and the translation's language.
    return poLanguage_.empty()
               ? QStringLiteral("objects.po")
               : QStringLiteral("objects-%1.po").arg(QString::fromStdString(poLanguage_));
}

PoCompanions ObjectTextsWindow::poCompanions() const {
    return readPoCompanions(
        document().folder().empty() ? std::filesystem::path() : notesPathFor(document().folder()),
        codePage(), tableName_);
}

bool ObjectTextsWindow::askPoLanguageIds(bool exporting) {
    if (poLanguageIdsDialog_ == nullptr) {
        poLanguageIdsDialog_ = new PoLanguageIdsDialog(this);
    }
    poLanguageIdsDialog_->prepare(exporting, 0, primaryLanguageId_);
    return prompter().runModal(*poLanguageIdsDialog_) == QDialog::Accepted;
}

void ObjectTextsWindow::exportTranslation() {
    if (busy_ || document().files().empty() || !askPoLanguageIds(true)) {
        return;
    }
    const auto path =
        askForFile(this,
                   poFilePrompt(true, QStringLiteral("objectExportPoFileDialog"),
                                proposedPoFileName()),
                   poFolder_);
    if (!path) {
        return;
    }
    try {
        const std::vector<std::string> problems =
            exportPoFile(toFilePath(*path), document(),
                         static_cast<std::uint8_t>(poLanguageIdsDialog_->sourceId()),
                         static_cast<std::uint8_t>(poLanguageIdsDialog_->targetId()),
                         tarnEditPoHeader(poLanguage_), codePage(), poCompanions());
        if (!problems.empty()) {
            showPoReport("Nothing was exported:" + listedLines(problems), exportPoCaption(), true);
            return;
        }
        setStatus(QStringLiteral("Exported to %1").arg(*path));
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

void ObjectTextsWindow::importTranslation() {
    if (busy_ || document().files().empty() || refusedAsReadOnly() || !askPoLanguageIds(false)) {
        return;
    }
    const auto path = askForFile(
        this, poFilePrompt(false, QStringLiteral("objectImportPoFileDialog")), poFolder_);
    if (!path) {
        return;
    }
    textGrid_->closeCellEditor();  // an open cell editor keeps what was typed
    PoImportReport report;
    bool failed = false;
    try {
        const auto targetId = static_cast<std::uint8_t>(poLanguageIdsDialog_->targetId());
        PoCompanions found = poCompanions();
        ObjectPoImport import =
            objectPoImport(toFilePath(*path), document(), targetId, codePage(), found);
        if (skipProblemsQuestion(import.report)) {
            if (!askToSkipProblems(import.report, importPoCaption())) {
                return;  // the problems were shown with the question
            }
            found = poCompanions();
            import = objectPoImport(toFilePath(*path), document(), targetId, codePage(), found,
                                    PoProblems::SkipMessages);
        }
        report = std::move(import.report);
        if (import.step) {
            // The notes are the team's, not the texts': kept at once, like the file they came
            // from, and an Undo of the texts leaves them.
            if (!document().folder().empty()) {
                writeTranslationNotes(notesPathFor(document().folder()), found.notes);
            }
            session_->push(std::move(import.step));  // one step, however many files it changes
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
        setStatus(QString::fromStdString(importSummaryLine(report.counts)));
    }
    showPoReport(importReportText(report), importPoCaption(), refused);
}

}  // namespace tarn
