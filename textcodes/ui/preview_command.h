// What the main window's Preview action does, with its 100 ms PreviewTimer: the checked action
// shows the preview window and polls the grid's current cell; closing the window with its
// close box triggers the action again, which unchecks it.
#pragma once

#include <QObject>

class QAction;
class QTimer;

namespace tarn {

class TPreviewForm;
class TextGrid;

class PreviewCommand : public QObject {
    Q_OBJECT
public:
    static constexpr int PollInterval = 100;  // milliseconds

    // The action must be checkable; its handler calls PreviewExecute.
    PreviewCommand(QAction& previewAction, TPreviewForm& form, TextGrid& grid,
                   QObject* parent = nullptr);

    QTimer* previewTimer() const { return PreviewTimer; }

public slots:
    // Shows or hides the preview and runs or stops the timer after the action's check mark.
    void PreviewExecute();
    void PreviewTimerTimer();

private:
    QAction& Preview;
    TPreviewForm& form_;
    TextGrid& grid_;
    QTimer* PreviewTimer;
};

}  // namespace tarn
