// The main window's Preview action and its 100 ms PreviewTimer: the checked action shows the
// preview window and polls the grid's current cell; closing the window unchecks the action.
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

    // Gives the action its caption, hint, shortcut (Alt+P) and check state.
    PreviewCommand(QAction& previewAction, TPreviewForm& form, TextGrid& grid,
                   QObject* parent = nullptr);

    QTimer* previewTimer() const { return PreviewTimer; }

public slots:
    // Runs on every change of the action's checked state.
    void PreviewExecute(bool checked);
    void PreviewTimerTimer();

private:
    QAction& Preview;
    TPreviewForm& form_;
    TextGrid& grid_;
    QTimer* PreviewTimer;
};

}  // namespace tarn
