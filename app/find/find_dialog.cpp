// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/find/find_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/find/dialog_controls.h"
#include "app/find/replace_run_cells.h"
#include "app/widgets/prompter.h"
#include "app/widgets/window_placement.h"
#include "textcodes/find_scan.h"

namespace tarn {

namespace {

constexpr int TranslatedColumn = 2;

}  // namespace

FindDialog::FindDialog(ReplaceRunCells& grid, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      grid_(grid) {
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);

    searchTextEdit_ = new QLineEdit(this);
    acceptGameTextOnly(*searchTextEdit_, grid_);
    auto* label = new QLabel(QStringLiteral("Text to find:"), this);
    label->setBuddy(searchTextEdit_);
    searchTextEdit_->setObjectName(QStringLiteral("searchTextEdit"));
    findNextButton_ = new QPushButton(QStringLiteral("Find next"), this);
    findNextButton_->setObjectName(QStringLiteral("findNextButton"));
    findNextButton_->setDefault(true);
    findNextButton_->setEnabled(false);
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));

    QGroupBox* searchIn =
        makeRadioGroup(QStringLiteral("Search in"),
                       {QStringLiteral("Original texts"), QStringLiteral("Translated texts"),
                        QStringLiteral("Both")},
                       2, searchInButtons_, this);
    QGroupBox* direction = makeRadioGroup(QStringLiteral("Direction"),
                                          {QStringLiteral("Forward"), QStringLiteral("Backward")},
                                          0, directionButtons_, this);
    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    caseSensitiveBox_ = new QCheckBox(QStringLiteral("Case sensitive"), options);
    wholeWordsBox_ = new QCheckBox(QStringLiteral("Whole words only"), options);
    caseSensitiveBox_->setObjectName(QStringLiteral("caseSensitiveBox"));
    wholeWordsBox_->setObjectName(QStringLiteral("wholeWordsBox"));
    searchInButtons_->setObjectName(QStringLiteral("searchInButtons"));
    directionButtons_->setObjectName(QStringLiteral("directionButtons"));
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(caseSensitiveBox_);
    optionsLayout->addWidget(wholeWordsBox_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(searchTextEdit_, 1, 0, 1, 2);
    layout->addWidget(searchIn, 2, 0);
    layout->addWidget(direction, 2, 1);
    layout->addWidget(options, 3, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNextButton_);
    buttons->addWidget(closeButton_);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 4, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(searchTextEdit_, &QLineEdit::textChanged, this, &FindDialog::enableFindNext);
    connect(findNextButton_, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
}

void FindDialog::enableFindNext() {
    findNextButton_->setEnabled(!searchTextEdit_->text().isEmpty());
}

void FindDialog::findNext() {
    const EncodeResult needle = grid_.bytesFromDisplay(searchTextEdit_->text());
    std::optional<GridCell> found;
    if (needle.ok() && !needle.bytes.empty()) {
        SearchOptions options;
        options.caseSensitive = caseSensitiveBox_->isChecked();
        options.wholeWords = wholeWordsBox_->isChecked();
        options.codePage = grid_.codePage();
        std::string text;  // keeps the cell text alive while it is compared
        // The grid may have moved the translator to the translation of the row found last.
        GridCell from{grid_.currentRow(), grid_.currentColumn()};
        if (lastFound_ && from.row == lastFound_->row && from.column == TranslatedColumn) {
            from = *lastFound_;
        }
        found = findNextCell(from, grid_.rowCount(), needle.bytes,
                             static_cast<tarn::SearchIn>(searchInButtons_->checkedId()),
                             static_cast<SearchDirection>(directionButtons_->checkedId()), options,
                             [&](int row, int column) -> std::string_view {
                                 // A hidden row holds nothing to find: the search steps past it.
                                 text = grid_.isRowShown(row) ? grid_.cellText(row, column)
                                                              : std::string();
                                 return text;
                             });
    }
    if (!found) {
        prompter().message(searchTextEdit_->text(), QStringLiteral("Text not found"),
                           MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    // Column first, then row, each through the grid's cell-entry rules.
    if (grid_.selectCell(grid_.currentRow(), found->column)) {
        grid_.selectCell(found->row, found->column);
    }
    moveClearOf(*this, rowArea(grid_, found->row));
    if (grid_.currentRow() == found->row) {
        lastFound_ = found;
        grid_.workOnRow(found->row);
    }
}

QString FindDialog::searchText() const {
    return searchTextEdit_->text();
}

void FindDialog::recodeTexts(const RecodeText& recode) {
    recodeEditText(*searchTextEdit_, recode);
}

void FindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred over the main window the first time only; afterwards it stays where it is put.
    setAttribute(Qt::WA_Moved, true);
}

}  // namespace tarn
