// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview/preview_action.h"

#include <QAction>
#include <QTimer>
#include <QWidget>

#include "app/preview/preview_window.h"
#include "app/widgets/text_cells.h"

namespace tarn {

PreviewAction::PreviewAction(QAction& previewAction, PreviewWindow& window, TextCells& grid,
                             QObject* parent)
    : QObject(parent),
      previewAction_(previewAction),
      window_(window),
      grid_(grid),
      pollTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("previewCommand"));
    pollTimer_->setObjectName(QStringLiteral("previewPollTimer"));
    pollTimer_->setInterval(PollInterval);
    connect(pollTimer_, &QTimer::timeout, this, &PreviewAction::refreshPreview);
    connect(&window_, &PreviewWindow::closedByUser, this, [this] {
        if (previewAction_.isChecked()) {
            previewAction_.trigger();
        }
    });
}

void PreviewAction::togglePreview() {
    const bool checked = previewAction_.isChecked();
    window_.setVisible(checked);
    if (checked) {
        pollTimer_->start();
    } else {
        pollTimer_->stop();
    }
}

void PreviewAction::followGrid(TextCells& grid, QWidget& window) {
    otherGrids_.emplace_back(&grid, &window);
}

TextCells& PreviewAction::gridInFocus() const {
    for (const auto& [grid, window] : otherGrids_) {
        if (window && window->isActiveWindow()) {
            return *grid;
        }
    }
    return grid_;
}

void PreviewAction::refreshPreview() {
    const TextCells& grid = gridInFocus();
    window_.showText(currentCellText(grid), grid.notation());
}

}  // namespace tarn
