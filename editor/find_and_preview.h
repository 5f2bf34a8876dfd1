// The find, replace and preview windows of the main window, the Preview command and the
// grid's format-code menu, created once with the main window. Their settings travel through
// the main window's AppSettings ("Preview", "ReplaceWin", "ReplaceQuestion").
#pragma once

#include <QObject>
#include <memory>

namespace tarn {

class FormatCodeMenu;
class MainWindowGrid;
class PreviewCommand;
class TFindForm;
class TFoForm;
class TPreviewForm;
class TReplaceForm;
class TReplaceQuestion;

class FindAndPreview : public QObject {
    Q_OBJECT
public:
    explicit FindAndPreview(TFoForm& form);
    ~FindAndPreview() override;

    // The command handlers; the main window has run CheckCurrentCell for Find and Replace.
    void showFind();
    void runReplace();
    void PreviewExecute();

    TFindForm* FindForm;
    TPreviewForm* PreviewForm;
    TReplaceForm* ReplaceForm;
    TReplaceQuestion* ReplaceQuestion;
    PreviewCommand* Preview;
    FormatCodeMenu* PopupMenu1;

private:
    void applySettings();
    void collectSettings();

    TFoForm& form_;
    std::unique_ptr<MainWindowGrid> grid_;
};

}  // namespace tarn
