#include "editor/find/replace_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "editor/find/dialog_controls.h"
#include "editor/find/my_edit.h"
#include "editor/find/replace_question.h"
#include "app/widgets/prompter.h"
#include "textcodes/ui/text_grid.h"

namespace tarn {
namespace {

constexpr QPoint DesignedPosition(232, 296);
constexpr int TranslatedColumn = 2;

// Column 2 of the grid as the texts of a replace run; every replacement marks the texts as
// modified.
class TranslatedTexts : public ReplaceTexts {
public:
    explicit TranslatedTexts(TextGrid& grid) : grid_(grid) {}
    int rowCount() const override { return grid_.rowCount(); }
    std::string text(int row) const override { return grid_.cellText(row, TranslatedColumn); }
    void setText(int row, const std::string& text) override {
        grid_.setCellText(row, TranslatedColumn, text);
        grid_.setModified();
    }

private:
    TextGrid& grid_;
};

}  // namespace

TReplaceForm::TReplaceForm(TextGrid& grid, TReplaceQuestion& question, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      grid_(grid),
      question_(question) {
    setObjectName(QStringLiteral("ReplaceForm"));
    setWindowTitle(QStringLiteral("Replace"));
    setModal(true);

    ToFind = new QLineEdit(this);
    NewText = new QLineEdit(this);
    for (QLineEdit* edit : {ToFind, NewText}) {
        edit->setValidator(new GameTextValidator(grid_, edit));
    }
    auto* toFindLabel = new QLabel(QStringLiteral("Text to find:"), this);
    toFindLabel->setBuddy(ToFind);
    auto* newTextLabel = new QLabel(QStringLiteral("Replacement text"), this);
    newTextLabel->setBuddy(NewText);
    Replace = new QPushButton(QStringLiteral("Replace"), this);
    Replace->setDefault(true);
    Replace->setEnabled(false);
    Close = new QPushButton(QStringLiteral("Close"), this);

    QGroupBox* scope =
        makeRadioGroup(QStringLiteral("Scope"),
                       {QStringLiteral("Entire text"), QStringLiteral("From cursor downwards"),
                        QStringLiteral("From cursor upwards")},
                       0, Scope, this);
    auto* options = new QGroupBox(QStringLiteral("Find options"), this);
    CaseSens = new QCheckBox(QStringLiteral("Case sensitive"), options);
    WholeWords = new QCheckBox(QStringLiteral("Whole words only"), options);
    WholeText = new QCheckBox(QStringLiteral("Whole texts only"), options);
    auto* optionsLayout = new QVBoxLayout(options);
    for (QCheckBox* box : {CaseSens, WholeWords, WholeText}) {
        optionsLayout->addWidget(box);
    }
    Prompt = new QCheckBox(QStringLiteral("Prompt on replace"), this);
    Prompt->setChecked(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(toFindLabel, 0, 0, 1, 2);
    layout->addWidget(ToFind, 1, 0, 1, 2);
    layout->addWidget(newTextLabel, 2, 0, 1, 2);
    layout->addWidget(NewText, 3, 0, 1, 2);
    layout->addWidget(scope, 4, 0);
    layout->addWidget(options, 4, 1);
    layout->addWidget(Prompt, 5, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Replace);
    buttons->addWidget(Close);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 6, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    move(DesignedPosition);

    connect(ToFind, &QLineEdit::textChanged, this, &TReplaceForm::ToFindChange);
    connect(WholeWords, &QCheckBox::clicked, this, &TReplaceForm::WholeWordsClick);
    connect(WholeText, &QCheckBox::clicked, this, &TReplaceForm::WholeTextClick);
    connect(Replace, &QPushButton::clicked, this, &TReplaceForm::ReplaceClick);
    connect(Close, &QPushButton::clicked, this, &QDialog::reject);
}

void TReplaceForm::ToFindChange() {
    Replace->setEnabled(!ToFind->text().isEmpty());
}

void TReplaceForm::WholeWordsClick() {
    if (WholeWords->isChecked()) {
        WholeText->setChecked(false);
    }
}

void TReplaceForm::WholeTextClick() {
    if (WholeText->isChecked()) {
        WholeWords->setChecked(false);
    }
}

void TReplaceForm::ReplaceClick() {
    done(RunReplaceResult);
}

void TReplaceForm::execute() {
    while (prompter().runModal(*this) == RunReplaceResult) {
        runReplace();
    }
}

void TReplaceForm::runReplace() {
    // An open cell editor would later write its old text over a replacement.
    grid_.closeCellEditor();

    ReplaceRequest request;
    const std::optional<std::string> toFind = grid_.bytesFromDisplay(ToFind->text());
    const std::optional<std::string> newText = grid_.bytesFromDisplay(NewText->text());
    request.toFind = toFind.value_or(std::string());
    request.newText = newText.value_or(std::string());
    request.options.caseSensitive = CaseSens->isChecked();
    request.options.wholeWords = WholeWords->isChecked();
    request.options.wholeText = WholeText->isChecked();
    request.scope = static_cast<ReplaceScope>(Scope->checkedId());
    request.currentRow = grid_.currentRow();

    ReplaceOutcome outcome;
    if (toFind && newText) {
        auto overlay = std::make_unique<TMyEdit>(grid_.overlayParent());
        ReplaceOverlay = overlay.get();
        TranslatedTexts texts(grid_);
        outcome = runReplaceScan(request, texts, [this](int row, std::size_t q, std::size_t n) {
            return ConfirmReplace(row, q, n);
        });
        ReplaceOverlay = nullptr;
    }

    const QString caption = QStringLiteral("Replace");
    if (!outcome.found) {
        prompter().message(QStringLiteral("No matches were found"), caption,
                           MessageIcon::Information, MessageButtons::Ok);
    } else if (!Prompt->isChecked()) {
        prompter().message(QStringLiteral("All matching strings were replaced"), caption,
                           MessageIcon::Information, MessageButtons::Ok);
    }
}

ReplaceAnswer TReplaceForm::ConfirmReplace(int row, std::size_t position, std::size_t length) {
    if (!Prompt->isChecked()) {
        return ReplaceAnswer::Replace;
    }
    // Row first, then column 2, each through the grid's cell-entry rules; the question is
    // asked even when a move is refused.
    grid_.selectCell(row, grid_.currentColumn());
    grid_.selectCell(grid_.currentRow(), TranslatedColumn);

    ReplaceOverlay->showOccurrence(grid_.cellRect(row, TranslatedColumn),
                                   grid_.displayText(grid_.cellText(row, TranslatedColumn)),
                                   static_cast<int>(position) - 1, static_cast<int>(length));
    const int answer = prompter().runModal(question_);
    ReplaceOverlay->hide();
    if (answer == TReplaceQuestion::YesResult) {
        return ReplaceAnswer::Replace;
    }
    if (answer == TReplaceQuestion::NoResult) {
        return ReplaceAnswer::Skip;
    }
    return ReplaceAnswer::Abort;
}

}  // namespace tarn
