// The preview window: shows the text of the grid's current cell roughly as the game draws it,
// in a read-only rich-text box with its own colours. Rendering follows renderPreviewRuns.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "textcodes/preview_render.h"

class QAction;
class QColorDialog;
class QMenu;
class QTextEdit;

namespace tarn {

class ProfileFile;

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

    // Section "Preview": colours, size and position. Whether the preview is shown at start
    // is for the Preview action to apply (previewVisibleAtStart).
    void loadSettings(const ProfileFile& settings);
    void saveSettings(ProfileFile& settings) const;
    static bool previewVisibleAtStart(const ProfileFile& settings);

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
    bool positionKnown_ = false;  // restored from the settings or shown in this run
};

}  // namespace tarn
