// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/find/replace_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>
#include <set>

#include "app/find/dialog_controls.h"
#include "app/find/occurrence_overlay.h"
#include "app/find/replace_prompt.h"
#include "app/find/replace_run_cells.h"
#include "app/widgets/prompter.h"
#include "app/widgets/window_placement.h"

namespace tarn {
namespace {

constexpr QPoint DesignedPosition(232, 296);
constexpr int TranslatedColumn = 2;

// Column 2 of the grid as the texts of a replace run.
class TranslatedTexts : public ReplaceTexts {
public:
    explicit TranslatedTexts(ReplaceRunCells& grid) : grid_(grid) {}
    int rowCount() const override { return grid_.rowCount(); }
    std::string text(int row) const override { return grid_.cellText(row, TranslatedColumn); }
    void setText(int row, const std::string& text) override {
        grid_.setCellText(row, TranslatedColumn, text);
    }

private:
    ReplaceRunCells& grid_;
};

}  // namespace

ReplaceDialog::ReplaceDialog(ReplaceRunCells& grid, ReplacePrompt& prompt, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), grid_(grid), prompt_(prompt) {
    setObjectName(QStringLiteral("replaceDialog"));
    setWindowTitle(QStringLiteral("Replace"));
    setModal(true);

    toFindEdit_ = new QLineEdit(this);
    toFindEdit_->setObjectName(QStringLiteral("toFindEdit"));
    newTextEdit_ = new QLineEdit(this);
    newTextEdit_->setObjectName(QStringLiteral("newTextEdit"));
    for (QLineEdit* edit : {toFindEdit_, newTextEdit_}) {
        acceptGameTextOnly(*edit, grid_);
    }
    auto* toFindLabel = new QLabel(QStringLiteral("Text to find:"), this);
    toFindLabel->setBuddy(toFindEdit_);
    auto* newTextLabel = new QLabel(QStringLiteral("Replacement text"), this);
    newTextLabel->setBuddy(newTextEdit_);
    replaceButton_ = new QPushButton(QStringLiteral("Replace"), this);
    replaceButton_->setObjectName(QStringLiteral("replaceButton"));
    replaceButton_->setDefault(true);
    replaceButton_->setEnabled(false);
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));

    QGroupBox* scope =
        makeRadioGroup(QStringLiteral("Scope"),
                       {QStringLiteral("Entire text"), QStringLiteral("From cursor downwards"),
                        QStringLiteral("From cursor upwards")},
                       0, scopeButtons_, this);
    auto* options = new QGroupBox(QStringLiteral("Find options"), this);
    caseSensitiveBox_ = new QCheckBox(QStringLiteral("Case sensitive"), options);
    wholeWordsBox_ = new QCheckBox(QStringLiteral("Whole words only"), options);
    wholeTextBox_ = new QCheckBox(QStringLiteral("Whole texts only"), options);
    scopeButtons_->setObjectName(QStringLiteral("scopeButtons"));
    caseSensitiveBox_->setObjectName(QStringLiteral("caseSensitiveBox"));
    wholeWordsBox_->setObjectName(QStringLiteral("wholeWordsBox"));
    wholeTextBox_->setObjectName(QStringLiteral("wholeTextBox"));
    auto* optionsLayout = new QVBoxLayout(options);
    for (QCheckBox* box : {caseSensitiveBox_, wholeWordsBox_, wholeTextBox_}) {
        optionsLayout->addWidget(box);
    }
    promptBox_ = new QCheckBox(QStringLiteral("Prompt on replace"), this);
    promptBox_->setObjectName(QStringLiteral("promptBox"));
    promptBox_->setChecked(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(toFindLabel, 0, 0, 1, 2);
    layout->addWidget(toFindEdit_, 1, 0, 1, 2);
    layout->addWidget(newTextLabel, 2, 0, 1, 2);
    layout->addWidget(newTextEdit_, 3, 0, 1, 2);
    layout->addWidget(scope, 4, 0);
    layout->addWidget(options, 4, 1);
    layout->addWidget(promptBox_, 5, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(replaceButton_);
    buttons->addWidget(closeButton_);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 6, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    move(DesignedPosition);

    connect(toFindEdit_, &QLineEdit::textChanged, this, &ReplaceDialog::enableReplace);
    connect(wholeWordsBox_, &QCheckBox::clicked, this, &ReplaceDialog::uncheckWholeText);
    connect(wholeTextBox_, &QCheckBox::clicked, this, &ReplaceDialog::uncheckWholeWords);
    connect(replaceButton_, &QPushButton::clicked, this, [this] { done(RunReplaceResult); });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void ReplaceDialog::enableReplace() {
    replaceButton_->setEnabled(!toFindEdit_->text().isEmpty());
}

void ReplaceDialog::uncheckWholeText() {
    if (wholeWordsBox_->isChecked()) {
        wholeTextBox_->setChecked(false);
    }
}

void ReplaceDialog::uncheckWholeWords() {
    if (wholeTextBox_->isChecked()) {
        wholeWordsBox_->setChecked(false);
    }
}

void ReplaceDialog::execute() {
    while (prompter().runModal(*this) == RunReplaceResult) {
        runReplace();
    }
}

void ReplaceDialog::runReplace() {
    // An open cell editor would later write its old text over a replacement.
    grid_.closeCellEditor();

    ReplaceRequest request;
    const EncodeResult toFind = grid_.bytesFromDisplay(toFindEdit_->text());
    const EncodeResult newText = grid_.bytesFromDisplay(newTextEdit_->text());
    request.toFind = toFind.bytes;
    request.newText = newText.bytes;
    request.options.codePage = grid_.codePage();
    request.options.caseSensitive = caseSensitiveBox_->isChecked();
    request.options.wholeWords = wholeWordsBox_->isChecked();
    request.options.wholeText = wholeTextBox_->isChecked();
    request.scope = static_cast<ReplaceScope>(scopeButtons_->checkedId());
    request.currentRow = grid_.currentRow();

    ReplaceOutcome outcome;
    std::set<int> changedRows;
    int skipped = 0;
    if (toFind.ok() && newText.ok()) {
        auto overlay = std::make_unique<OccurrenceOverlay>(grid_.overlayParent());
        overlay_ = overlay.get();
        TranslatedTexts texts(grid_);
        // The whole run is one step of the history, whether or not each replacement was asked.
        grid_.beginChange();
        outcome = runReplaceScan(request, texts, [&](int row, std::size_t q, std::size_t n) {
            const ReplaceAnswer answer = confirmReplace(row, q, n);
            if (answer == ReplaceAnswer::Replace) {
                changedRows.insert(row);
            } else if (answer == ReplaceAnswer::Skip) {
                ++skipped;
            }
            return answer;
        });
        grid_.endChange(promptBox_->isChecked() ? "Replace" : "Replace All");
        overlay_ = nullptr;
    }

    const QString caption = QStringLiteral("Replace");
    if (!outcome.found) {
        prompter().message(QStringLiteral("No matches were found"), caption,
                           MessageIcon::Information, MessageButtons::Ok);
    } else if (!promptBox_->isChecked()) {
        prompter().message(
            QStringLiteral("All matching strings were replaced\n\r") +
                replacementCount(outcome.replacements, static_cast<int>(changedRows.size())),
            caption, MessageIcon::Information, MessageButtons::Ok);
    } else if (outcome.replacements > 0 || skipped > 0) {
        // A prompted run ends with what was done; one aborted before any answer says nothing.
        QString summary =
            replacementCount(outcome.replacements, static_cast<int>(changedRows.size()));
        if (skipped > 0) {
            summary += QStringLiteral(", %1 skipped").arg(skipped);
        }
        prompter().message(summary, caption, MessageIcon::Information, MessageButtons::Ok);
    }
}

QString replacementCount(int replacements, int texts) {
    return (replacements == 1 ? QStringLiteral("1 replacement")
                              : QStringLiteral("%1 replacements").arg(replacements)) +
           (texts == 1 ? QStringLiteral(" in 1 text") : QStringLiteral(" in %1 texts").arg(texts));
}

void ReplaceDialog::startFrom(const QString& findText) {
    if (!findText.isEmpty()) {
        toFindEdit_->setText(findText);
        toFindEdit_->selectAll();
    }
}

void ReplaceDialog::recodeTexts(const RecodeText& recode) {
    recodeEditText(*toFindEdit_, recode);
    recodeEditText(*newTextEdit_, recode);
}

ReplaceAnswer ReplaceDialog::confirmReplace(int row, std::size_t position, std::size_t length) {
    if (!promptBox_->isChecked()) {
        return ReplaceAnswer::Replace;
    }
    grid_.catchUp();  // the figures the translator sees count the replacements made so far
    // Row first, then column 2, each through the grid's cell-entry rules; the question is
    // asked even when a move is refused.
    grid_.selectCell(row, grid_.currentColumn());
    grid_.selectCell(grid_.currentRow(), TranslatedColumn);

    overlay_->showOccurrence(grid_.cellRect(row, TranslatedColumn),
                             grid_.displayText(grid_.cellText(row, TranslatedColumn)),
                             static_cast<int>(position) - 1, static_cast<int>(length));
    const QRect asked = rowArea(grid_, grid_.currentRow());
    moveClearOf(*this, asked);
    prompt_.keepClearOf(asked);
    const int answer = prompter().runModal(prompt_);
    overlay_->hide();
    if (answer == ReplacePrompt::YesResult) {
        return ReplaceAnswer::Replace;
    }
    if (answer == ReplacePrompt::NoResult) {
        return ReplaceAnswer::Skip;
    }
    return ReplaceAnswer::Abort;
}

}  // namespace tarn
