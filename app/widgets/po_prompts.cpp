// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/po_prompts.h"

#include <QCoreApplication>
#include <ctime>

#include "app/widgets/prompter.h"
#include "common/utf8_path.h"

namespace tarn {

QString exportPoCaption() {
    return QStringLiteral("Export translation (PO)");
}

QString importPoCaption() {
    return QStringLiteral("Import translation (PO)");
}

FilePrompt poFilePrompt(bool exporting, const QString& objectName, const QString& proposedName) {
    return {objectName, exporting ? exportPoCaption() : importPoCaption(),
            QStringLiteral("PO files (*.po)"), QStringLiteral("po"), exporting, proposedName};
}

PoHeaderFields tarnEditPoHeader(const std::string& language) {
    return poHeader(language, QCoreApplication::applicationVersion().toStdString(),
                    std::time(nullptr), "TarnEdit");
}

void showPoReport(const std::string& text, const QString& caption, bool failed) {
    prompter().message(QString::fromStdString(text), caption,
                       failed ? MessageIcon::Error : MessageIcon::Information, MessageButtons::Ok);
}

std::string characterTableName(const std::string& tableFile) {
    return tableFile.empty() ? std::string()
                             : pathToUtf8(pathFromUtf8(tableFile).filename());
}

PoCompanions readPoCompanions(const std::filesystem::path& notesPath, const CodePage& codePage,
                              const std::string& tableName) {
    return {notesPath.empty() ? TranslationNotes() : readTranslationNotes(notesPath),
            poCharactersOf(codePage, tableName)};
}

bool askToSkipProblems(const PoImportReport& report, const QString& caption) {
    const QString text = QString::fromStdString(importReportText(report)) +
                         QStringLiteral("\n\n") +
                         QString::fromStdString(skipProblemsQuestion(report).value_or(""));
    return prompter().message(text, caption, MessageIcon::Question, MessageButtons::YesNo) ==
           MessageAnswer::Yes;
}

}  // namespace tarn
