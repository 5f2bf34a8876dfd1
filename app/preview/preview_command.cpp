// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview/preview_command.h"

#include <QAction>
#include <QTimer>
#include <QWidget>

#include "app/preview/preview_window.h"
#include "app/widgets/text_cells.h"

namespace tarn {

PreviewCommand::PreviewCommand(QAction& previewAction, PreviewWindow& window, TextCells& grid,
                               QObject* parent)
    : QObject(parent),
      previewAction_(previewAction),
      window_(window),
      grid_(grid),
      pollTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("previewCommand"));
    pollTimer_->setObjectName(QStringLiteral("previewPollTimer"));
    pollTimer_->setInterval(PollInterval);
    connect(pollTimer_, &QTimer::timeout, this, &PreviewCommand::refreshPreview);
    connect(&window_, &PreviewWindow::closedByUser, this, [this] {
        if (previewAction_.isChecked()) {
            previewAction_.trigger();
        }
    });
}

void PreviewCommand::togglePreview() {
    const bool checked = previewAction_.isChecked();
    window_.setVisible(checked);
    if (checked) {
        pollTimer_->start();
    } else {
        pollTimer_->stop();
    }
}

void PreviewCommand::followGrid(TextCells& grid, QWidget& window) {
    otherGrids_.emplace_back(&grid, &window);
}

TextCells& PreviewCommand::gridInFocus() const {
    for (const auto& [grid, window] : otherGrids_) {
        if (window && window->isActiveWindow()) {
            return *grid;
        }
    }
    return grid_;
}

void PreviewCommand::refreshPreview() {
    const TextCells& grid = gridInFocus();
    window_.showText(currentCellText(grid), grid.cStyle());
}

}  // namespace tarn
