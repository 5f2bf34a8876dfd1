// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped on the main window: a PO file is imported, any other file is offered as the
// translated executable. Only one local file is taken; anything else is refused at the drag.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace tarn {

class FileDrops : public QObject {
public:
    // Takes the drops of target.
    FileDrops(QWidget& target, std::function<void(const QString&)> poFileDropped,
              std::function<void(const QString&)> executableDropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> poFileDropped_;
    std::function<void(const QString&)> executableDropped_;
};

}  // namespace tarn
