// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/find/dialog_controls.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/find/replace_run_cells.h"
#include "app/widgets/code_page_validator.h"

namespace tarn {

QGroupBox* makeRadioGroup(const QString& title, const QStringList& items, int checked,
                          QButtonGroup*& buttons, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    buttons = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], box);
        buttons->addButton(button, i);
        layout->addWidget(button);
    }
    buttons->button(checked)->setChecked(true);
    return box;
}

void acceptGameTextOnly(QLineEdit& edit, TextCells& grid) {
    refuseUnstorableCharacters(
        edit,
        {[&grid](const QString& text) { return grid.bytesFromDisplay(text); },
         [&grid] { return grid.codePage(); }, [&grid] { return grid.notation(); }},
        [&grid](const QString& message) { grid.reportRefusal(message); });
}

void recodeEditText(QLineEdit& edit, const RecodeText& recode) {
    if (!edit.text().isEmpty()) {
        edit.setText(recode(edit.text()));
    }
}

QRect rowArea(const ReplaceRunCells& grid, int row) {
    const QRect cells = grid.cellRect(row, 1).united(grid.cellRect(row, 2));
    const QWidget* parent = grid.overlayParent();
    return parent != nullptr ? QRect(parent->mapToGlobal(cells.topLeft()), cells.size()) : QRect();
}

}  // namespace tarn
