// SPDX-License-Identifier: GPL-3.0-or-later
// The object-file windows of the main window: the object texts window (with its new-ID dialog
// and the end-user settings) and the object language options, with their stored settings.
#pragma once

#include <QObject>

#include "app/main/table_proposal.h"
#include "app/main/window_parts.h"
#include "textcodes/cstyle.h"

namespace tarn {

class ObjectLanguageDialog;
class ObjectTextsWindow;

class ObjectActions : public QObject {
    Q_OBJECT
public:
    explicit ObjectActions(WindowParts& parts);

    // Shows the object texts window beside the main one, or raises it when it is open.
    void openObjectTexts();
    // Closes the object texts window, asking about its unsaved changes; false when it stays.
    bool closeObjectTexts();
    // The main window's notation, which the object texts window follows.
    void setNotation(Notation notation);
    ObjectTextsWindow& objectTextsWindow() const { return *objectTextsWindow_; }
    void chooseObjectLanguages();  // OK is a step of the history even when the IDs stay
    void setCodePage(const CodePage& codePage);

    void applySettings();
    void captureSettings();

    // Marks the bytes the object files' texts use: those of the object window's folder when it
    // has one loaded, else those of the ObjData folder beside the translated executable, read
    // now (a file that cannot be read counts for nothing).
    void markUsedBytes(UsedBytes& used) const;

private:
    // The language and the character table's name the object window's PO export writes.
    void passPoHeaderValues();

    WindowParts& parts_;
    ObjectTextsWindow* objectTextsWindow_;
    ObjectLanguageDialog* objectLanguageDialog_;
};

}  // namespace tarn
