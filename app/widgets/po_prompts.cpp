// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/po_prompts.h"

#include <QCoreApplication>
#include <ctime>

#include "app/widgets/prompter.h"

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

}  // namespace tarn
