// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/identical_texts.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QToolBar>

#include "app/main/document_columns.h"
#include "app/main/status_line.h"
#include "app/main/texts_session.h"
#include "app/widgets/display_text.h"
#include "app/widgets/text_grid_view.h"
#include "textcodes/cstyle.h"
#include "textcodes/identical_texts.h"

namespace tarn {

namespace {

constexpr int Original = StringTableDocument::OriginalColumn;
constexpr int Translated = StringTableDocument::TranslatedColumn;

// How many suggestions the line shows.
constexpr std::size_t kShownSuggestions = 3;

}  // namespace

IdenticalTexts::IdenticalTexts(WindowParts& parts) : QObject(&parts.window), parts_(parts) {
    QMainWindow& window = parts.window;
    useForOthers_ =
        new QAction(QStringLiteral("&Use for other texts with the same original"), &window);
    useForOthers_->setObjectName(QStringLiteral("useForOthersAction"));
    useForOthers_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U));
    useForOthers_->setShortcutContext(Qt::WindowShortcut);
    useForOthers_->setStatusTip(
        QStringLiteral("Give this translation to the untranslated texts with the same original"));
    window.addAction(useForOthers_);

    // Under the grid, apart from the status line's notes and hints.
    auto* bar = new QToolBar(QStringLiteral("Suggestions"), &window);
    bar->setObjectName(QStringLiteral("suggestionBar"));
    bar->setMovable(false);
    suggestionLine_ = new QLabel(bar);
    suggestionLine_->setObjectName(QStringLiteral("suggestionLine"));
    suggestionLine_->setTextFormat(Qt::PlainText);
    bar->addWidget(suggestionLine_);
    window.addToolBar(Qt::BottomToolBarArea, bar);
}

void IdenticalTexts::noteCellEdit(int row, int column) {
    if (column == Translated) {
        enteredRow_ = row;
        offerPending_ = true;
    }
}

std::vector<std::size_t> IdenticalTexts::copiesOf(int row) const {
    if (row < 1 || row > StringTableDocument::kRows) {
        return {};
    }
    const Converted<std::string> original = parts_.document.bytes(row, Original);
    const Converted<std::string> translation = parts_.document.bytes(row, Translated);
    if (!original || !translation || original.value() == translation.value()) {
        return {};  // nothing translated to share
    }
    return untranslatedCopies(columnBytes(parts_.document, Original),
                              columnBytes(parts_.document, Translated),
                              static_cast<std::size_t>(row - 1), parts_.codePage);
}

int IdenticalTexts::offeredRow() const {
    const int current = parts_.grid.currentRow();
    return !copiesOf(current).empty() ? current : enteredRow_;
}

void IdenticalTexts::showOfferAndSuggestions(int row) {
    showSuggestions(row);
    if (!offerPending_) {
        return;
    }
    offerPending_ = false;  // offered once; the command still serves it
    const QString offer = offerFor(copiesOf(enteredRow_).size());
    if (!offer.isEmpty()) {
        parts_.status.show(offer);
        shownOffer_ = offer;
    }
}

QString IdenticalTexts::offerFor(std::size_t copies) {
    if (copies == 0) {
        return {};
    }
    return (copies == 1 ? QStringLiteral("Use for 1 other text")
                        : QStringLiteral("Use for %1 other texts").arg(copies)) +
           QStringLiteral(" with the same original (Ctrl+Shift+U)");
}

void IdenticalTexts::followOffer(int row) {
    // Only while the status line still shows it: another message has taken its place else.
    if (shownOffer_.isEmpty() || parts_.status.text() != shownOffer_) {
        shownOffer_.clear();
        return;
    }
    const QString now = offerFor(copiesOf(row).size());
    if (now == shownOffer_) {
        return;
    }
    shownOffer_ = now;
    if (now.isEmpty()) {
        parts_.status.show(QString());
        parts_.status.showCodesUnlessHint();
    } else {
        parts_.status.show(now);
    }
}

void IdenticalTexts::useForOthers() {
    const int row = offeredRow();
    const std::vector<std::size_t> copies = copiesOf(row);
    if (copies.empty()) {
        parts_.status.show(QStringLiteral("No untranslated text has the same original"));
        return;
    }
    // Copies are offered only for a translation that converts.
    const std::string translation = parts_.document.bytes(row, Translated).value();
    auto step = std::make_unique<SetTextsCommand>(
        parts_.session.stepTarget(),
        countedName("Use for texts with the same original", static_cast<int>(copies.size())));
    for (const std::size_t index : copies) {
        step->add(static_cast<int>(index) + 1, Translated, {translation, false});
    }
    parts_.session.push(std::move(step));
    enteredRow_ = 0;
}

void IdenticalTexts::showSuggestions(int row) {
    if (row == 0) {
        row = parts_.grid.currentRow();
    }
    followOffer(row);
    if (row < 1) {
        suggestionLine_->clear();
        return;
    }
    const std::vector<TranslationSuggestion> found = suggestTranslations(
        columnBytes(parts_.document, Original), columnBytes(parts_.document, Translated),
        static_cast<std::size_t>(row - 1), parts_.codePage);
    QStringList shown;
    for (std::size_t i = 0; i < found.size() && i < kShownSuggestions; ++i) {
        const TranslationSuggestion& s = found[i];
        const std::string text = parts_.document.notation() == Notation::CStyle
                                     ? rawToCStyle(s.translation)
                                     : s.translation;
        shown << QStringLiteral("%1 (text %2%3)")
                     .arg(gameBytesToDisplay(text, parts_.codePage))
                     .arg(s.source + 1)
                     .arg(s.sameOriginal ? QString() : QStringLiteral(", similar original"));
    }
    suggestionLine_->setText(shown.isEmpty() ? QString()
                                             : QStringLiteral("Translated before: ") +
                                                   shown.join(QStringLiteral("  |  ")));
}

}  // namespace tarn
