// The main window's PO commands: the texts as a PO file for a translator's tool, and its
// translations back into the Translated column (written by Save, like every edit).
#include <QAction>
#include <QDir>
#include <exception>

#include "app/main/grid_model.h"
#include "app/main/main_window.h"
#include "app/main/text_grid_view.h"
#include "app/main/texts_history.h"
#include "app/widgets/po_prompts.h"
#include "app/widgets/prompter.h"
#include "exchange/document_po.h"

namespace tarn {

namespace {

QAction* makePoAction(QObject* parent, const char* name, const QString& caption, const char* hint) {
    auto* action = new QAction(caption + QStringLiteral("..."), parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(QString::fromUtf8(hint));
    return action;
}

}  // namespace

void MainWindow::createPoActions() {
    exportPoAction_ = makePoAction(this, "exportPoAction", exportPoCaption(),
                                   "Write the texts as a PO file for translation tools");
    importPoAction_ = makePoAction(this, "importPoAction", importPoCaption(),
                                   "Take the translations of a PO file into the translated texts");
    connect(exportPoAction_, &QAction::triggered, this, &MainWindow::exportTranslation);
    connect(importPoAction_, &QAction::triggered, this, &MainWindow::importTranslation);
}

void MainWindow::exportTranslation() {
    if (!checkCurrentCell()) {
        return;
    }
    textGrid_->closeCellEditor();  // what was typed is exported too
    const auto path = askForFile(this, poFilePrompt(true, QStringLiteral("exportPoFileDialog")),
                                 settings_.folders.translationPo);
    if (!path) {
        return;
    }
    try {
        const std::vector<std::string> problems =
            exportPoFile(path->toStdString(), document_, tarnEditPoHeader(), codePage());
        if (!problems.empty()) {
            showPoReport("Nothing was exported:" + listedLines(problems), exportPoCaption(), true);
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
    const auto path = askForFile(this, poFilePrompt(false, QStringLiteral("importPoFileDialog")),
                                 settings_.folders.translationPo);
    if (!path) {
        return;
    }
    PoImportReport report;
    std::unique_ptr<SetTextsCommand> change;
    try {
        report = importPoFile(path->toStdString(), document_, codePage(), change);
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
        return;
    }
    if (change && report.counts.applied > 0) {
        history_->push(std::move(change));
    }
    showPoReport(importReportText(report), importPoCaption(), !report.problems.empty());
}

}  // namespace tarn
