// SPDX-License-Identifier: GPL-3.0-or-later
// The translation's character table in the main window: the file chosen by Other > Character
// table... (stored as [Characters] TableFile), read at start and laid over the font's code page.
// The result is the window's one combined map, through which the grid, the editor, the preview,
// find and replace, the checks, PO export and import and the object windows show and take texts.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <utility>

#include "app/main/table_proposal.h"
#include "app/main/window_parts.h"
#include "common/code_page.h"

namespace tarn {

class WindowFont;

class CharacterTableActions : public QObject {
    Q_OBJECT
public:
    CharacterTableActions(WindowParts& parts, WindowFont& font);

    // Reads the stored table and shows every text through it; a table that cannot be used is
    // refused through the Prompter and the texts show through the page alone. No stored table
    // puts the one in use away.
    void applySettings();
    // The dialog; an accepted choice applies at once.
    void choose();
    // Marks what else a table should leave alone on the page: the bytes the object files'
    // texts use, the dictionary's letters.
    void setOtherBytesInUse(std::function<void(const CodePage&, ByteUse&)> mark) {
        markOtherBytes_ = std::move(mark);
    }

    // page with the table over it; page itself without a table, or when the table does not fit
    // page (note then says so).
    CodePage over(const CodePage& page, QString& note) const;

private:
    void use(const QString& path, std::string contents);

    WindowParts& parts_;
    WindowFont& font_;
    std::function<void(const CodePage&, ByteUse&)> markOtherBytes_;
    QString path_;
    std::string contents_;  // the file as read
    std::string folder_;    // where the table's file dialogs open
};

}  // namespace tarn
