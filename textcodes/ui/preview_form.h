// The preview window: shows the text of the grid's current cell roughly as the game draws it,
// in a read-only rich-text box with its own colours. Rendering follows renderPreviewRuns.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>

#include "textcodes/preview_render.h"
#include "textcodes/ui/remembered_position.h"

class QAction;
class QColorDialog;
class QMenu;
class QTextEdit;

namespace tarn {

class TPreviewForm : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewForm(QWidget* parent = nullptr);

    // Takes a text in the grid's notation. A C-style text that does not convert leaves the
    // preview as it is; a raw text equal to the last one rendered is not rendered again.
    void ShowText(const std::string& text, bool cStyle);
    // Fills the rich-text box from a raw text and scrolls back to the top.
    void RenderText(const std::string& raw);

    const std::string& lastText() const { return lastText_; }
    QTextEdit* richEdit() const { return RichEdit1; }
    QMenu* contextMenu() const { return PopupMenu1; }

    // Colours in the settings file's encoding (system colours included).
    std::int32_t backColor() const { return backColor_; }
    std::int32_t textColor() const { return textColor_; }
    void setBackColor(std::int32_t colour);
    void setTextColor(std::int32_t colour);  // renders the last text again

    // The stored position, applied before the window is first shown; and the position to
    // store (nothing while the window was never placed in this run).
    void restorePosition(QPoint position) { position_.restore(*this, position); }
    std::optional<QPoint> positionToStore() const { return position_.of(*this); }

public slots:
    void Changedefaulttextcolor1Click();
    void Changebackgroundcolor1Click();

signals:
    // The translator closed the window with its close box.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyBackground();
    bool askColour(std::int32_t& colour);

    QTextEdit* RichEdit1;
    QMenu* PopupMenu1;
    QAction* Changedefaulttextcolor1;
    QAction* Changebackgroundcolor1;
    std::string lastText_;
    std::int32_t backColor_;
    std::int32_t textColor_;
    RememberedPosition position_;
};

}  // namespace tarn
