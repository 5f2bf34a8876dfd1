// SPDX-License-Identifier: GPL-3.0-or-later
// The preview window: shows the text of the grid's current cell roughly as the game draws it,
// in a read-only rich-text box with its own colours. Rendering follows renderPreviewRuns.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>

#include "app/preview/remembered_position.h"
#include "common/code_page.h"
#include "textcodes/cstyle.h"
#include "textcodes/preview_render.h"

class QAction;
class QColorDialog;
class QMenu;
class QTextEdit;

namespace tarn {

class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Takes a text in the grid's notation. A C-style text that does not convert leaves the
    // preview as it is; a raw text equal to the last one rendered is not rendered again.
    void showText(const std::string& text, Notation notation);
    // Fills the rich-text box from a raw text and scrolls back to the top.
    void renderText(const std::string& raw);

    const std::string& lastText() const { return lastText_; }

    // The code page the game bytes are drawn in; the last text is drawn anew.
    void setCodePage(const CodePage& codePage);

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
    void chooseTextColour();
    void chooseBackgroundColour();

signals:
    // The translator closed the window with its close box.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The window's font changed: the text takes its family and size, and stays bold.
    void changeEvent(QEvent* event) override;

private:
    void applyBackground();
    bool askColour(std::int32_t& colour);

    QTextEdit* textView_;
    QMenu* colourMenu_;
    QAction* chooseTextColourAction_;
    QAction* chooseBackgroundColourAction_;
    std::string lastText_;
    CodePage codePage_;
    std::int32_t backColor_;
    std::int32_t textColor_;
    RememberedPosition position_;
};

}  // namespace tarn
