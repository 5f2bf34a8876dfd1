// The find, replace and preview windows of the main window, the Preview command and the
// grid's format-code menu, created once with the main window. Their settings travel through
// the main window's AppSettings ("Preview", "ReplaceWin", "ReplaceQuestion").
#pragma once

#include <QObject>
#include <memory>

class QAction;
class QMenu;

namespace tarn {

class CodePage;
class FindDialog;
class FormatCodeMenu;
class MainWindow;
class MainWindowGrid;
class PreviewCommand;
class PreviewWindow;
class ReplaceDialog;
class ReplacePrompt;

class FindAndPreview : public QObject {
    Q_OBJECT
public:
    // previewAction: the checkable Preview command; formatMenu: the grid's empty context menu,
    // filled here after the editing actions cut, copy and paste.
    FindAndPreview(MainWindow& window, QAction& previewAction, QMenu& formatMenu, QAction* cut,
                   QAction* copy, QAction* paste);
    ~FindAndPreview() override;

    // The command handlers; the main window has checked the current cell for Find and Replace.
    void showFind();
    void runReplace();
    void togglePreview();
    // The grid's code page changed from before to now: the find and replace boxes show their
    // bytes in the new page, and the preview draws its text anew.
    void showInCodePage(const CodePage& before, const CodePage& now);

private:
    void applySettings();
    void collectSettings();

    MainWindow& window_;
    std::unique_ptr<MainWindowGrid> grid_;
    FindDialog* findDialog_;
    PreviewWindow* previewWindow_;
    ReplacePrompt* replacePrompt_;
    ReplaceDialog* replaceDialog_;
    PreviewCommand* previewCommand_;
    FormatCodeMenu* formatCodeMenu_;
};

}  // namespace tarn
