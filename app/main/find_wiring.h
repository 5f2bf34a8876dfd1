// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's Find and Replace: the find window, the replace dialog and its prompt, created
// once over the window's grid, and their stored places ("ReplaceWin", "ReplaceQuestion").
#pragma once

#include <QObject>

class QWidget;

namespace tarn {

struct AppSettings;
class CodePage;
class FindDialog;
class ReplaceDialog;
class ReplacePrompt;
class ReplaceRunCells;

class FindWiring : public QObject {
    Q_OBJECT
public:
    FindWiring(ReplaceRunCells& grid, QWidget& window);

    // The commands; the window has checked the current cell.
    void showFind();
    void runReplace();
    // The grid's code page changed from before to now: the find and replace boxes show their
    // bytes in the new page.
    void showInCodePage(const CodePage& before, const CodePage& now);

    void applySettings(const AppSettings& settings);
    void captureSettings(AppSettings& settings) const;

private:
    FindDialog* findDialog_;
    ReplacePrompt* replacePrompt_;
    ReplaceDialog* replaceDialog_;
};

}  // namespace tarn
