// The object texts window's PO commands: export the texts between two language IDs for a
// translator's tool, import its translations into the document (saved with the window's Save).
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <ctime>
#include <exception>

#include "app/objects/group_texts_grid.h"
#include "app/objects/object_texts_window.h"
#include "app/objects/po_language_ids_dialog.h"
#include "app/widgets/file_prompt.h"
#include "app/widgets/prompter.h"
#include "exchange/document_po.h"
#include "exchange/po_header.h"

namespace tarn {

namespace {

const QString kExportCaption = QStringLiteral("Export translation (PO)");
const QString kImportCaption = QStringLiteral("Import translation (PO)");

FilePrompt poFilePrompt(bool exporting) {
    return {exporting ? QStringLiteral("objectExportPoFileDialog")
                      : QStringLiteral("objectImportPoFileDialog"),
            exporting ? kExportCaption : kImportCaption, QStringLiteral("PO files (*.po)"),
            QStringLiteral("po"), exporting};
}

void showLines(const std::string& text, const QString& caption, MessageIcon icon) {
    prompter().message(QString::fromStdString(text), caption, icon, MessageButtons::Ok);
}

}  // namespace

void ObjectTextsWindow::createPoButtons() {
    exportPoButton_ = new QPushButton(kExportCaption + QStringLiteral("..."), buttonPanel_);
    importPoButton_ = new QPushButton(kImportCaption + QStringLiteral("..."), buttonPanel_);
    connect(exportPoButton_, &QPushButton::clicked, this, &ObjectTextsWindow::exportTranslation);
    connect(importPoButton_, &QPushButton::clicked, this, &ObjectTextsWindow::importTranslation);
}

bool ObjectTextsWindow::askPoLanguageIds(bool exporting) {
    if (poLanguageIdsDialog_ == nullptr) {
        poLanguageIdsDialog_ = new PoLanguageIdsDialog(this);
    }
    poLanguageIdsDialog_->prepare(exporting, 0, primaryLanguageId_);
    return prompter().runModal(*poLanguageIdsDialog_) == QDialog::Accepted;
}

void ObjectTextsWindow::exportTranslation() {
    if (busy_ || document_.files().empty() || !askPoLanguageIds(true)) {
        return;
    }
    const auto path = askForFile(this, poFilePrompt(true), poFolder_);
    if (!path) {
        return;
    }
    try {
        const std::vector<std::string> problems =
            exportPoFile(path->toStdString(), document_,
                         static_cast<std::uint8_t>(poLanguageIdsDialog_->sourceId()),
                         static_cast<std::uint8_t>(poLanguageIdsDialog_->targetId()),
                         poHeader("", QCoreApplication::applicationVersion().toStdString(),
                                  std::time(nullptr), "TarnEdit"),
                         codePage());
        if (!problems.empty()) {
            showLines("Nothing was exported:" + listedLines(problems), kExportCaption,
                      MessageIcon::Error);
            return;
        }
        setStatus(QStringLiteral("Exported to %1").arg(QDir::toNativeSeparators(*path)));
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

void ObjectTextsWindow::importTranslation() {
    if (busy_ || document_.files().empty() || !askPoLanguageIds(false)) {
        return;
    }
    const auto path = askForFile(this, poFilePrompt(false), poFolder_);
    if (!path) {
        return;
    }
    textGrid_->setCurrentItem(nullptr);  // an open cell editor keeps what was typed
    PoImportReport report;
    bool failed = false;
    try {
        report =
            importPoFile(path->toStdString(), document_,
                         static_cast<std::uint8_t>(poLanguageIdsDialog_->targetId()), codePage());
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
        failed = true;
    }
    if (currentGroup_ >= 0) {
        showGroup(currentFile_, currentGroup_);  // the shown group may have changed
    }
    updateSaveButton();
    if (failed) {
        return;
    }
    if (report.problems.empty()) {
        setStatus(QString::fromStdString(importSummaryLine(report.counts)));
    }
    showLines(importReportText(report), kImportCaption,
              report.problems.empty() ? MessageIcon::Information : MessageIcon::Error);
}

}  // namespace tarn
