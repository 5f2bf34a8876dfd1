// SPDX-License-Identifier: GPL-3.0-or-later
// The filter bar above the grid: a kind of text (all, untranslated, with errors, with findings,
// changed since load, same as original) and a word that the original or the translation holds.
// Rows that do not pass are hidden; row numbers stay the text numbers, and the current row
// always stays shown, so that the text being worked on never vanishes under the caret. Which
// rows pass is the core's rule (textsShown); this part only hides rows.
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "app/main/window_parts.h"
#include "textcodes/text_filter.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolBar;

namespace tarn {

class TranslationChecks;

class TextFilterBar : public QObject {
    Q_OBJECT
public:
    TextFilterBar(WindowParts& parts, const TranslationChecks& checks);

    QToolBar* bar() const { return bar_; }
    QAction* focusAction() const { return focusAction_; }  // Ctrl+Shift+F: the word box

    // The files were loaded: "changed since load" compares with these translations from now on.
    void rememberLoadedTexts();
    // Applies the filter to the texts as they are now (after every review of the texts).
    void apply();
    bool filters() const;
    void showAll();
    // Shows only texts of this kind (the word is cleared) and moves to the first of them.
    void showOnly(TextFilterKind kind);
    // A row that is being entered stays shown until another one is.
    void keepShown(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TextFilter currentFilter() const;
    void hideRows();
    // How many texts the filter shows, beside the box, and the box marked while it filters.
    void showState();
    // The word chosen: the grid takes the keyboard on a shown text's translation.
    void goToShownText();

    WindowParts& parts_;
    const TranslationChecks& checks_;
    QToolBar* bar_;
    QComboBox* kindChoice_;
    QLineEdit* wordEdit_;
    QLabel* stateLabel_;  // empty while nothing is filtered
    QAction* focusAction_;
    std::vector<std::string> loadedTranslations_;
    std::vector<bool> passes_;  // by text index: what the filter lets through
    std::vector<bool> hidden_;  // by text index, as the grid has them now
    int keptRow_ = 0;           // the row entered last
};

}  // namespace tarn
