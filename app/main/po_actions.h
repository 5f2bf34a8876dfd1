// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's PO actions: the texts as a PO file for a translator's tool, and its
// translations back into the Translated column (written by Save, like every edit), in the
// window's code page. Both run only when the current cell may be left (the window wires them so).
#pragma once

#include <QObject>

#include "app/main/window_parts.h"
#include "exchange/document_po.h"

namespace tarn {

class SessionNotes;

class PoActions : public QObject {
    Q_OBJECT
public:
    // Exports write the notes the window holds; imports change them as part of their step.
    PoActions(WindowParts& parts, SessionNotes& notes);

    void exportTranslation();
    void importTranslation();
    // The same for a file already chosen (dropped on the window).
    void importTranslationFrom(const QString& path);

private:
    // The translation's notes and the characters its PO files name.
    PoCompanions companions() const;

    WindowParts& parts_;
    SessionNotes& notes_;
};

}  // namespace tarn
