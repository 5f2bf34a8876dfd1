#include "app/find/dialog_controls.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/preview/text_grid.h"

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

GameTextValidator::GameTextValidator(const TextGrid& grid, QObject* parent)
    : QValidator(parent), grid_(grid) {}

QValidator::State GameTextValidator::validate(QString& input, int&) const {
    return grid_.bytesFromDisplay(input) ? Acceptable : Invalid;
}

}  // namespace tarn
