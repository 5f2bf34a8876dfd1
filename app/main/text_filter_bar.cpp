// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/text_filter_bar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QToolBar>
#include <algorithm>

#include "app/main/text_moves.h"
#include "app/main/translation_checks.h"
#include "app/widgets/display_text.h"
#include "app/widgets/text_grid_view.h"
#include "exetext/string_table_document.h"

namespace tarn {

namespace {

constexpr std::pair<TextFilterKind, const char*> kKinds[] = {
    {TextFilterKind::All, "All"},
    {TextFilterKind::Untranslated, "Untranslated"},
    {TextFilterKind::WithErrors, "With errors"},
    {TextFilterKind::WithFindings, "With findings"},
    {TextFilterKind::ChangedSinceLoad, "Changed since load"},
    {TextFilterKind::SameAsOriginal, "Same as original"},
};

}  // namespace

TextFilterBar::TextFilterBar(WindowParts& parts, const TranslationChecks& checks)
    : QObject(&parts.window), parts_(parts), checks_(checks) {
    QMainWindow& window = parts.window;
    bar_ = new QToolBar(QStringLiteral("Filter"), &window);
    bar_->setObjectName(QStringLiteral("filterBar"));
    bar_->setMovable(false);
    bar_->addWidget(new QLabel(QStringLiteral("Show: "), bar_));
    kindChoice_ = new QComboBox(bar_);
    kindChoice_->setObjectName(QStringLiteral("filterKind"));
    for (const auto& [kind, caption] : kKinds) {
        kindChoice_->addItem(QString::fromLatin1(caption), static_cast<int>(kind));
    }
    kindChoice_->setStatusTip(QStringLiteral("Show only the texts of this kind"));
    bar_->addWidget(kindChoice_);
    wordEdit_ = new QLineEdit(bar_);
    wordEdit_->setObjectName(QStringLiteral("filterText"));
    wordEdit_->setClearButtonEnabled(true);
    wordEdit_->setPlaceholderText(QStringLiteral("Original or translation contains..."));
    wordEdit_->setStatusTip(
        QStringLiteral("Show only the texts whose original or translation contains this"));
    bar_->addWidget(wordEdit_);
    wordEdit_->installEventFilter(this);
    stateLabel_ = new QLabel(bar_);
    stateLabel_->setObjectName(QStringLiteral("filterState"));
    stateLabel_->setContentsMargins(8, 0, 0, 0);
    bar_->addWidget(stateLabel_);
    window.addToolBarBreak(Qt::TopToolBarArea);
    window.addToolBar(Qt::TopToolBarArea, bar_);

    focusAction_ = new QAction(QStringLiteral("Filter texts"), &window);
    focusAction_->setObjectName(QStringLiteral("filterFocusAction"));
    focusAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    focusAction_->setShortcutContext(Qt::WindowShortcut);
    window.addAction(focusAction_);
    connect(focusAction_, &QAction::triggered, this, [this] {
        wordEdit_->setFocus(Qt::ShortcutFocusReason);
        wordEdit_->selectAll();
    });
    connect(kindChoice_, &QComboBox::currentIndexChanged, this, &TextFilterBar::apply);
    connect(wordEdit_, &QLineEdit::textChanged, this, &TextFilterBar::apply);
}

void TextFilterBar::rememberLoadedTexts() {
    loadedTranslations_ = parts_.document.translatedTexts();
}

TextFilter TextFilterBar::currentFilter() const {
    TextFilter filter;
    filter.kind = static_cast<TextFilterKind>(kindChoice_->currentData().toInt());
    filter.codePage = parts_.codePage;
    // A character the code page lacks is in no text: nothing passes.
    const EncodeResult word = displayToGameBytes(wordEdit_->text(), parts_.codePage);
    filter.word = word.ok() ? word.bytes : std::string(1, '\0');
    if (wordEdit_->text().isEmpty()) {
        filter.word.clear();
    }
    return filter;
}

bool TextFilterBar::filters() const {
    return currentFilter().filters();
}

void TextFilterBar::apply() {
    const TextFilter filter = currentFilter();
    if (!filter.filters()) {
        passes_.assign(StringTableDocument::kRows, true);
        hideRows();
        showState();
        return;
    }
    const StringTableDocument& document = parts_.document;
    std::vector<std::string> originals(StringTableDocument::kRows);
    for (int row = 1; row <= StringTableDocument::kRows; ++row) {
        if (Converted<std::string> original = document.bytes(row, StringTableDocument::OriginalColumn)) {
            originals[static_cast<std::size_t>(row - 1)] = std::move(original.value());
        }
    }
    const std::vector<std::string> translations = document.translatedTexts();
    // The word is looked for as the grid shows the texts, as Find looks for it.
    std::vector<std::string> shownOriginals;
    std::vector<std::string> shownTranslations;
    const bool inNotation = !filter.word.empty() && document.notation() == Notation::CStyle;
    if (inNotation) {
        shownOriginals.reserve(StringTableDocument::kRows);
        shownTranslations.reserve(StringTableDocument::kRows);
        for (int row = 1; row <= StringTableDocument::kRows; ++row) {
            shownOriginals.push_back(
                document.notationText(row, StringTableDocument::OriginalColumn));
            shownTranslations.push_back(
                document.notationText(row, StringTableDocument::TranslatedColumn));
        }
    }
    passes_ =
        textsShown(filter, {originals, translations, loadedTranslations_, checks_.findings(),
                            byteCharacters(parts_.codePage), inNotation ? &shownOriginals : nullptr,
                            inNotation ? &shownTranslations : nullptr});
    hideRows();
    showState();
}

void TextFilterBar::showState() {
    const bool filtering = currentFilter().filters();
    const auto shown = std::count(passes_.begin(), passes_.end(), true);
    stateLabel_->setText(
        filtering
            ? QStringLiteral("%1 of %2 texts shown").arg(shown).arg(StringTableDocument::kRows)
            : QString());
    // The box is marked while its word hides texts, so that a filter left on is seen.
    wordEdit_->setProperty("filtering", !wordEdit_->text().isEmpty());
    QPalette palette = QApplication::palette(wordEdit_);
    if (!wordEdit_->text().isEmpty()) {
        palette.setColor(QPalette::Base, QColor(255, 244, 196));
    }
    wordEdit_->setPalette(palette);
}

void TextFilterBar::goToShownText() {
    // The current text when the filter shows it, else the first one it shows.
    int row = parts_.grid.currentRow();
    const auto i = static_cast<std::size_t>(row - 1);
    if (row < 1 || i >= passes_.size() || !passes_[i]) {
        const auto first = std::find(passes_.begin(), passes_.end(), true);
        row = first == passes_.end() ? parts_.grid.currentRow()
                                     : static_cast<int>(first - passes_.begin()) + 1;
    }
    if (row >= 1 && workOnTranslation(parts_.grid, row)) {
        hideRows();  // the row left goes when the filter hides it
    }
}

bool TextFilterBar::eventFilter(QObject* watched, QEvent* event) {
    // Enter, Down or Esc in the word box: the translator goes back to the texts it shows.
    if (watched == wordEdit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down ||
            key == Qt::Key_Escape) {
            goToShownText();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TextFilterBar::hideRows() {
    TextGridView& grid = parts_.grid;
    hidden_.resize(passes_.size(), false);
    // The row entered last; it is already the current one, or about to be.
    const int kept = keptRow_ != 0 ? keptRow_ : grid.currentRow();
    for (std::size_t i = 0; i < passes_.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const bool hide = !passes_[i] && row != kept;
        if (hidden_[i] != hide) {
            hidden_[i] = hide;
            grid.setRowHidden(static_cast<int>(i), hide);
        }
    }
}

void TextFilterBar::keepShown(int row) {
    keptRow_ = row;
    const auto i = static_cast<std::size_t>(row - 1);
    if (row >= 1 && i < hidden_.size() && hidden_[i]) {
        hidden_[i] = false;
        parts_.grid.setRowHidden(static_cast<int>(i), false);
    }
}

void TextFilterBar::showAll() {
    const QSignalBlocker blockKind(kindChoice_);
    const QSignalBlocker blockWord(wordEdit_);
    kindChoice_->setCurrentIndex(0);
    wordEdit_->clear();
    apply();
}

void TextFilterBar::showOnly(TextFilterKind kind) {
    {
        const QSignalBlocker blockKind(kindChoice_);
        const QSignalBlocker blockWord(wordEdit_);
        kindChoice_->setCurrentIndex(kindChoice_->findData(static_cast<int>(kind)));
        wordEdit_->clear();
    }
    apply();
    // The first text of that kind becomes the current one, if the current cell may be left.
    const auto first = std::find(passes_.begin(), passes_.end(), true);
    const int row = static_cast<int>(first - passes_.begin()) + 1;
    if (first != passes_.end() && row != parts_.grid.currentRow() &&
        workOnTranslation(parts_.grid, row)) {
        hideRows();  // the row left goes when the filter hides it
    }
}

}  // namespace tarn
