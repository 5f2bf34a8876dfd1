// SPDX-License-Identifier: GPL-3.0-or-later
// Save asks while texts have errors (warnings do not ask): "N texts have errors (first: 0041
// value-codes). Save anyway?". The translator may save, see the texts with errors in the grid,
// or keep the file; "Don't ask again" is kept per translated file in [SaveChecks] of the
// settings, the file's path as key.
#pragma once

#include <QObject>
#include <string>

#include "app/main/window_parts.h"

namespace tarn {

class TextFilterBar;
class SaveErrorsDialog;
class TranslationChecks;

class SaveChecks : public QObject {
    Q_OBJECT
public:
    SaveChecks(WindowParts& parts, TranslationChecks& checks, TextFilterBar& filter);

    // Whether the save may write the file.
    bool mayWrite();

private:
    bool asksFor(const std::string& path) const;
    void stopAsking(const std::string& path);

    WindowParts& parts_;
    TranslationChecks& checks_;
    TextFilterBar& filter_;
    SaveErrorsDialog* dialog_;
};

}  // namespace tarn
