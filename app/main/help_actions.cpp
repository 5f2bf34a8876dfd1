// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/help_actions.h"

#include <QKeyEvent>
#include <QMenu>

#include "app/main/about_dialog.h"
#include "app/main/main_actions.h"
#include "app/widgets/help_viewer.h"
#include "app/widgets/prompter.h"

namespace tarn {

HelpActions::HelpActions(const QString& helpFile, QWidget& window)
    : QObject(&window),
      helpFile_(helpFile),
      window_(window),
      aboutDialog_(new AboutDialog(&window)) {}

void HelpActions::showContents() {
    showHelp(helpFile_, 0, &window_);
}

void HelpActions::showOverview() {
    showHelp(helpFile_, kOverviewContext, &window_);
}

void HelpActions::showAbout() {
    prompter().runModal(*aboutDialog_);
}

bool HelpActions::eventFilter(QObject* object, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(object);
    if (menu == nullptr || event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) {
        return QObject::eventFilter(object, event);
    }
    const QAction* item = menu->activeAction();
    const int context = item != nullptr ? item->property(kHelpContextProperty).toInt() : 0;
    menu->close();  // first, so that the help window comes up in front
    showHelp(helpFile_, context, &window_);
    return true;
}

}  // namespace tarn
