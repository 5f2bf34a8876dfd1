// The main window's PO commands: the texts as a PO file for a translator's tool, and its
// translations back into the Translated column (written by Save, like every edit).
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <ctime>
#include <exception>

#include "app/main/grid_model.h"
#include "app/main/main_window.h"
#include "app/main/text_grid_view.h"
#include "app/widgets/file_prompt.h"
#include "app/widgets/prompter.h"
#include "exchange/document_po.h"
#include "exchange/po_header.h"

namespace tarn {

namespace {

const QString kExportCaption = QStringLiteral("Export translation (PO)");
const QString kImportCaption = QStringLiteral("Import translation (PO)");

QAction* makePoAction(QObject* parent, const char* name, const QString& caption, const char* hint) {
    auto* action = new QAction(caption + QStringLiteral("..."), parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(QString::fromUtf8(hint));
    return action;
}

FilePrompt poFilePrompt(bool exporting) {
    return {exporting ? QStringLiteral("exportPoFileDialog") : QStringLiteral("importPoFileDialog"),
            exporting ? kExportCaption : kImportCaption, QStringLiteral("PO files (*.po)"),
            QStringLiteral("po"), exporting};
}

void showText(const std::string& text, const QString& caption, MessageIcon icon) {
    prompter().message(QString::fromStdString(text), caption, icon, MessageButtons::Ok);
}

}  // namespace

void MainWindow::createPoActions() {
    exportPoAction_ = makePoAction(this, "exportPoAction", kExportCaption,
                                   "Write the texts as a PO file for translation tools");
    importPoAction_ = makePoAction(this, "importPoAction", kImportCaption,
                                   "Take the translations of a PO file into the translated texts");
    connect(exportPoAction_, &QAction::triggered, this, &MainWindow::exportTranslation);
    connect(importPoAction_, &QAction::triggered, this, &MainWindow::importTranslation);
}

void MainWindow::exportTranslation() {
    if (!checkCurrentCell()) {
        return;
    }
    textGrid_->closeCellEditor();  // what was typed is exported too
    const auto path = askForFile(this, poFilePrompt(true), settings_.folders.translationPo);
    if (!path) {
        return;
    }
    try {
        // The PO Language stays empty: a language ID is no language code, and translation
        // tools ask for the language when they open the file.
        const std::vector<std::string> problems =
            exportPoFile(path->toStdString(), document_,
                         poHeader("", QCoreApplication::applicationVersion().toStdString(),
                                  std::time(nullptr), "TarnEdit"),
                         codePage());
        if (!problems.empty()) {
            showText("Nothing was exported:" + listedLines(problems), kExportCaption,
                     MessageIcon::Error);
            return;
        }
        showStatus(QStringLiteral("Exported to %1").arg(QDir::toNativeSeparators(*path)));
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

void MainWindow::importTranslation() {
    if (!checkCurrentCell()) {
        return;
    }
    textGrid_->closeCellEditor();
    const auto path = askForFile(this, poFilePrompt(false), settings_.folders.translationPo);
    if (!path) {
        return;
    }
    PoImportReport report;
    try {
        report = importPoFile(path->toStdString(), document_, codePage());
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
        return;
    }
    if (report.problems.empty() && report.counts.applied > 0) {
        // The window's refresh after many texts changed at once.
        model_->refreshAll();
        refreshBudgetAndChecks();
        setModified(true);
    }
    showText(importReportText(report), kImportCaption,
             report.problems.empty() ? MessageIcon::Information : MessageIcon::Error);
}

}  // namespace tarn
