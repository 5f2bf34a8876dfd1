// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window's Preview action does: the checked action shows the preview window and
// polls the current cell every 100 ms, of the grid whose window is active (the main grid's
// when none of the other grids' is); closing the window with its close box triggers the action
// again, which unchecks it.
#pragma once

#include <QObject>
#include <QPointer>
#include <utility>
#include <vector>

class QAction;
class QTimer;
class QWidget;

namespace tarn {

class PreviewWindow;
class TextCells;

class PreviewAction : public QObject {
    Q_OBJECT
public:
    static constexpr int PollInterval = 100;  // milliseconds

    // The action must be checkable; its handler calls togglePreview.
    PreviewAction(QAction& previewAction, PreviewWindow& window, TextCells& grid,
                  QObject* parent = nullptr);

    // Another window's grid, previewed while that window is the active one.
    void followGrid(TextCells& grid, QWidget& window);
    TextCells& gridInFocus() const;

public slots:
    // Shows or hides the preview and runs or stops the timer after the action's check mark.
    void togglePreview();
    // Shows the current cell's text (the timer's tick).
    void refreshPreview();

private:
    QAction& previewAction_;
    PreviewWindow& window_;
    TextCells& grid_;
    std::vector<std::pair<TextCells*, QPointer<QWidget>>> otherGrids_;
    QTimer* pollTimer_;
};

}  // namespace tarn
