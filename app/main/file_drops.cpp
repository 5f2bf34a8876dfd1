// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/file_drops.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <utility>

#include "app/widgets/file_paths.h"

namespace tarn {

namespace {

// The one local file a drag carries, or an empty text.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().front().isLocalFile()) {
        return {};
    }
    return nativePath(data->urls().front().toLocalFile());
}

}  // namespace

FileDrops::FileDrops(QWidget& target, std::function<void(const QString&)> poFileDropped,
                     std::function<void(const QString&)> executableDropped)
    : QObject(&target),
      poFileDropped_(std::move(poFileDropped)),
      executableDropped_(std::move(executableDropped)) {
    target.setAcceptDrops(true);
    target.installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!droppedFile(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty()) {
            return false;
        }
        drop->acceptProposedAction();
        if (path.endsWith(QStringLiteral(".po"), Qt::CaseInsensitive)) {
            poFileDropped_(path);
        } else {
            executableDropped_(path);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tarn
