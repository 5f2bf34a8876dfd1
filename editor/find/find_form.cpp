#include "editor/find/find_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/find/dialog_controls.h"
#include "app/widgets/prompter.h"
#include "textcodes/find_scan.h"
#include "textcodes/ui/text_grid.h"

namespace tarn {

TFindForm::TFindForm(TextGrid& grid, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      grid_(grid) {
    setObjectName(QStringLiteral("FindForm"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);

    SearchText = new QLineEdit(this);
    SearchText->setValidator(new GameTextValidator(grid_, SearchText));
    auto* label = new QLabel(QStringLiteral("Text to find:"), this);
    label->setBuddy(SearchText);
    FindNext = new QPushButton(QStringLiteral("Find next"), this);
    FindNext->setDefault(true);
    FindNext->setEnabled(false);
    CloseForm = new QPushButton(QStringLiteral("Close"), this);

    QGroupBox* searchIn =
        makeRadioGroup(QStringLiteral("Search in"),
                       {QStringLiteral("Original texts"), QStringLiteral("Translated texts"),
                        QStringLiteral("Both")},
                       2, SearchIn, this);
    QGroupBox* direction =
        makeRadioGroup(QStringLiteral("Direction"),
                       {QStringLiteral("Forward"), QStringLiteral("Backward")}, 0, Direction, this);
    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    CaseSens = new QCheckBox(QStringLiteral("Case sensitive"), options);
    WholeWords = new QCheckBox(QStringLiteral("Whole words only"), options);
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(CaseSens);
    optionsLayout->addWidget(WholeWords);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(SearchText, 1, 0, 1, 2);
    layout->addWidget(searchIn, 2, 0);
    layout->addWidget(direction, 2, 1);
    layout->addWidget(options, 3, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FindNext);
    buttons->addWidget(CloseForm);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 4, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(SearchText, &QLineEdit::textChanged, this, &TFindForm::SearchTextChange);
    connect(FindNext, &QPushButton::clicked, this, &TFindForm::FindNextClick);
    connect(CloseForm, &QPushButton::clicked, this, &TFindForm::CloseFormClick);
}

void TFindForm::SearchTextChange() {
    FindNext->setEnabled(!SearchText->text().isEmpty());
}

void TFindForm::FindNextClick() {
    const std::optional<std::string> needle = grid_.bytesFromDisplay(SearchText->text());
    std::optional<GridCell> found;
    if (needle && !needle->empty()) {
        SearchOptions options;
        options.caseSensitive = CaseSens->isChecked();
        options.wholeWords = WholeWords->isChecked();
        std::string text;  // keeps the cell text alive while it is compared
        found = findNextCell(GridCell{grid_.currentRow(), grid_.currentColumn()}, grid_.rowCount(),
                             *needle, static_cast<tarn::SearchIn>(SearchIn->checkedId()),
                             static_cast<SearchDirection>(Direction->checkedId()), options,
                             [&](int row, int column) -> std::string_view {
                                 text = grid_.cellText(row, column);
                                 return text;
                             });
    }
    if (!found) {
        prompter().message(SearchText->text(), QStringLiteral("Text not found"),
                           MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    // Column first, then row, each through the grid's cell-entry rules.
    if (grid_.selectCell(grid_.currentRow(), found->column)) {
        grid_.selectCell(found->row, found->column);
    }
}

void TFindForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred over the main window the first time only; afterwards it stays where it is put.
    setAttribute(Qt::WA_Moved, true);
}

void TFindForm::CloseFormClick() {
    close();
}

}  // namespace tarn
