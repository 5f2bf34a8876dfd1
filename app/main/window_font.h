// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's font and the code page its character set chooses, through which every
// window shows and edits the game's texts. Texts stay bytes; only their display changes.
#pragma once

#include <QFont>
#include <QObject>
#include <functional>

#include "app/main/window_parts.h"
#include "common/code_page.h"
#include "common/code_page_choice.h"

namespace tarn {

class WindowFont : public QObject {
    Q_OBJECT
public:
    // codePage: the window's active code page, which this class chooses.
    WindowFont(WindowParts& parts, CodePage& codePage, QObject* parent);

    const QFont& font() const { return font_; }
    void applyFont(const QFont& font);  // to every window
    // The main font's character set ("FontCharset").
    int charset() const { return charset_; }
    // Shows every text through the set's code page at once; no byte of any text changes. A
    // set without a single-byte page falls back to 1252, and the status line says so once.
    void setCharset(int charset);
    // The font dialog: font and character set.
    void choose();

    // Lays the translation's character table over the character set's page (a note: why it
    // could not); applyPageLayer() shows the texts through a changed table.
    using PageLayer = std::function<CodePage(const CodePage& page, QString& note)>;
    void setPageLayer(PageLayer layer) { layer_ = std::move(layer); }
    void applyPageLayer() { setCharset(charset_); }

signals:
    // The code page changed from before to the window's active one.
    void codePageChanged(const CodePage& before);

private:
    void showInGrid(const CodePage& before);

    WindowParts& parts_;
    CodePage& codePage_;
    QFont font_;
    int charset_ = kDefaultCharset;
    PageLayer layer_;
};

}  // namespace tarn
