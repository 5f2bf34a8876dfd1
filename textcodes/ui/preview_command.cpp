#include "textcodes/ui/preview_command.h"

#include <QAction>
#include <QTimer>

#include "textcodes/ui/preview_form.h"
#include "textcodes/ui/text_grid.h"

namespace tarn {

PreviewCommand::PreviewCommand(QAction& previewAction, TPreviewForm& form, TextGrid& grid,
                               QObject* parent)
    : QObject(parent),
      Preview(previewAction),
      form_(form),
      grid_(grid),
      PreviewTimer(new QTimer(this)) {
    PreviewTimer->setInterval(PollInterval);
    connect(PreviewTimer, &QTimer::timeout, this, &PreviewCommand::PreviewTimerTimer);
    connect(&form_, &TPreviewForm::closedByUser, this, [this] {
        if (Preview.isChecked()) {
            Preview.trigger();
        }
    });
}

void PreviewCommand::PreviewExecute() {
    const bool checked = Preview.isChecked();
    form_.setVisible(checked);
    if (checked) {
        PreviewTimer->start();
    } else {
        PreviewTimer->stop();
    }
}

void PreviewCommand::PreviewTimerTimer() {
    form_.ShowText(currentCellText(grid_), grid_.cStyle());
}

}  // namespace tarn
