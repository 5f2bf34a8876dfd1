// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/pseudo_translation.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "app/main/status_line.h"
#include "app/main/texts_session.h"
#include "app/widgets/prompter.h"
#include "app/widgets/text_grid_view.h"
#include "exetext/string_table_commands.h"
#include "textcodes/pseudo_translation.h"

namespace tarn {

namespace {

// The percentage chosen, or nothing when the translator cancelled.
std::optional<int> askExpandPercent(int proposed, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("pseudoTranslateDialog"));
    dialog.setWindowTitle(QStringLiteral("Pseudo-translate untranslated texts"));
    auto* label = new QLabel(
        QStringLiteral("Every text that is still the same as its original gets accented "
                       "letters, keeps its codes and goes between [ and ], padded with ! to be "
                       "longer than the original by:"),
        &dialog);
    label->setWordWrap(true);
    auto* expand = new QSpinBox(&dialog);
    expand->setObjectName(QStringLiteral("expandBox"));
    expand->setRange(0, kMostExpandPercent);
    expand->setSuffix(QStringLiteral(" %"));
    expand->setValue(proposed);
    label->setBuddy(expand);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(expand);
    layout->addWidget(buttons);
    if (prompter().runModal(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    expand->interpretText();  // a number typed but not yet taken counts
    return expand->value();
}

}  // namespace

PseudoTranslation::PseudoTranslation(WindowParts& parts)
    : QObject(&parts.window), parts_(parts), expandPercent_(kDefaultExpandPercent) {
    action_ = new QAction(QStringLiteral("Pseudo-tr&anslate untranslated texts..."), &parts.window);
    action_->setObjectName(QStringLiteral("pseudoTranslateAction"));
    action_->setStatusTip(
        QStringLiteral("Give every untranslated text a longer, accented stand-in to try the "
                       "game with"));
    parts.window.addAction(action_);
}

void PseudoTranslation::pseudoTranslate() {
    const std::optional<int> percent = askExpandPercent(expandPercent_, &parts_.window);
    if (!percent) {
        return;
    }
    expandPercent_ = *percent;
    parts_.grid.closeCellEditor();
    std::unique_ptr<SetTextsCommand> step =
        pseudoTranslateUntranslated(parts_.session.stepTarget(), expandPercent_, parts_.codePage);
    const int changed = step->changedCells();
    if (changed == 0) {
        parts_.status.show(QStringLiteral("No untranslated text to pseudo-translate"));
        return;
    }
    parts_.session.push(std::move(step));
    if (parts_.session.isReadOnly()) {
        return;  // refused, and the status line says so
    }
    parts_.status.show(changed == 1 ? QStringLiteral("Pseudo-translated 1 text")
                                    : QStringLiteral("Pseudo-translated %1 texts").arg(changed));
}

}  // namespace tarn
