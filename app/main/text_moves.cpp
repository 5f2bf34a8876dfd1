// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/text_moves.h"

#include "app/widgets/prompter.h"
#include "app/widgets/text_grid_view.h"
#include "exetext/string_table_document.h"

namespace tarn {

bool workOnTranslation(TextGridView& grid, int row) {
    if (!grid.moveTo(row, StringTableDocument::TranslatedColumn)) {
        return false;
    }
    grid.activateWindow();
    grid.setFocus(Qt::OtherFocusReason);
    return true;
}

int nextTextStartingAgain(int current, const NextText& next, const QString& caption,
                          const QString& nothingLeft) {
    if (const int below = next(current); below != 0) {
        return below;
    }
    // The current text itself is no text above it.
    const int first = next(0);
    if (first == 0 || first >= current) {
        prompter().message(nothingLeft, QStringLiteral("Information"), MessageIcon::Information,
                           MessageButtons::Ok);
        return 0;
    }
    const MessageAnswer answer =
        prompter().message(QStringLiteral("Start from the first text?"), caption,
                           MessageIcon::Question, MessageButtons::YesNo);
    return answer == MessageAnswer::Yes ? first : 0;
}

}  // namespace tarn
