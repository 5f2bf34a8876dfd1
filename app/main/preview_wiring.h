// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's Preview: the preview window over the window's grid, the checkable Preview
// command that shows it and polls the current cell, and its stored settings ("Preview").
#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace tarn {

struct AppSettings;
class CodePage;
class PreviewAction;
class PreviewWindow;
class TextCells;

class PreviewWiring : public QObject {
    Q_OBJECT
public:
    // previewAction: the checkable Preview command, whose check mark tells whether to show it.
    PreviewWiring(TextCells& grid, QAction& previewAction, QWidget& window);

    void togglePreview();
    // Another window's grid, previewed while that window is active.
    void followGrid(TextCells& grid, QWidget& window);
    void setCodePage(const CodePage& codePage);  // the preview draws its text anew

    // A preview stored as visible is shown afterwards by the window's Preview command.
    void applySettings(const AppSettings& settings);
    void captureSettings(AppSettings& settings) const;

private:
    QWidget& window_;
    PreviewWindow* previewWindow_;
    PreviewAction* previewCommand_;
};

}  // namespace tarn
