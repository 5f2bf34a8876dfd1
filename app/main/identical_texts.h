// SPDX-License-Identifier: GPL-3.0-or-later
// Identical texts translated once: after a translation is entered for a text whose original
// occurs elsewhere, the status line offers to use it for the other texts with that original
// that are still untranslated (one undoable step), and a line under the grid shows the
// translations already given to the current text's original or to one much like it.
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "app/main/window_parts.h"

class QAction;
class QLabel;

namespace tarn {

class IdenticalTexts : public QObject {
    Q_OBJECT
public:
    explicit IdenticalTexts(WindowParts& parts);

    QAction* useForOthersAction() const { return useForOthers_; }

    // A cell's text was typed: a translation entered is offered once its edit ends.
    void noteCellEdit(int row, int column);
    // The edit of a cell ended, or the cell of row is being entered (0: the current one): the
    // offer and the row's suggestions.
    void showOfferAndSuggestions(int row = 0);
    // Fills the untranslated copies of the current text's original (else of the text translated
    // last) with its translation.
    void useForOthers();
    // The texts changed (undo, redo, many at once): the suggestions for row (0: the current one).
    void showSuggestions(int row = 0);

private:
    int offeredRow() const;
    // "Use for 3 other texts ..."; empty for none.
    static QString offerFor(std::size_t copies);
    // The offer shown follows the row now current: counted again, or gone when it has none.
    void followOffer(int row);
    std::vector<std::size_t> copiesOf(int row) const;

    WindowParts& parts_;
    QAction* useForOthers_;
    QLabel* suggestionLine_;
    int enteredRow_ = 0;         // the text whose translation was typed last; 0: none
    bool offerPending_ = false;  // its edit has not ended yet: the offer is still to be shown
    QString shownOffer_;         // the offer as the status line shows it; empty: none
};

}  // namespace tarn
