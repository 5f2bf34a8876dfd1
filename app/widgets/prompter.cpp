// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/prompter.h"

#include <QCoreApplication>
#include <QStringList>

#include "app/widgets/message_box_prompter.h"

namespace tarn {

namespace {

Prompter*& installed() {
    static Prompter* current = nullptr;
    return current;
}

QString applicationTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("TarnEdit") : name;
}

}  // namespace

Prompter& prompter() {
    static MessageBoxPrompter real;
    Prompter* current = installed();
    return current != nullptr ? *current : real;
}

Prompter* setPrompter(Prompter* replacement) {
    Prompter* previous = installed();
    installed() = replacement;
    return previous;
}

void showExceptionMessage(const QString& text) {
    prompter().message(text, applicationTitle(), MessageIcon::Error, MessageButtons::Ok);
}

void showExceptionMessage(const std::vector<Problem>& problems) {
    QStringList lines;
    for (const std::string& line : describe(problems)) {
        lines.append(QString::fromStdString(line));
    }
    showExceptionMessage(lines.join(QLatin1Char('\n')));
}

void showPlainMessage(const QString& text) {
    prompter().message(text, applicationTitle(), MessageIcon::None, MessageButtons::Ok);
}

}  // namespace tarn
