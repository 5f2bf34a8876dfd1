// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/paste_guard.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

#include "app/widgets/prompter.h"
#include "exetext/exe_profile.h"

namespace tarn {

namespace {

std::int64_t textAreasSize(const ExeProfile& profile) {
    std::int64_t size = 0;
    for (const TextArea& area : profile.textAreas) {
        size += area.last - area.first + 1;
    }
    return size;
}

// Whether inserting text in place of the selection keeps the editor within its limit; refuses
// with a message when it would not.
bool mayInsert(QLineEdit& editor, const QString& text) {
    const qsizetype length = editor.text().size() - editor.selectedText().size() + text.size();
    if (length <= editor.maxLength()) {
        return true;
    }
    prompter().message(QStringLiteral("The text would be %1 characters long, and a text can hold "
                                      "at most %2. Nothing was pasted.")
                           .arg(length)
                           .arg(editor.maxLength()),
                       QStringLiteral("Paste"), MessageIcon::Warning, MessageButtons::Ok);
    return false;
}

class PasteGuard : public QObject {
public:
    explicit PasteGuard(QLineEdit& editor) : QObject(&editor), editor_(editor) {
        editor.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &editor_) {
            return false;
        }
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            pasteWhole(editor_);
            return true;
        }
        if (event->type() == QEvent::ContextMenu &&
            editor_.contextMenuPolicy() == Qt::DefaultContextMenu) {
            showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QMimeData* data = drop->mimeData();
            if (data != nullptr && data->hasText() && !mayInsert(editor_, data->text())) {
                drop->ignore();
                return true;
            }
        }
        return false;
    }

private:
    // The field's own menu, its Paste refused whole like the others.
    void showMenu(const QPoint& globalPos) {
        QMenu* menu = editor_.createStandardContextMenu();
        if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
            disconnect(paste, &QAction::triggered, nullptr, nullptr);
            QLineEdit* editor = &editor_;
            connect(paste, &QAction::triggered, editor, [editor] { pasteWhole(*editor); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(globalPos);
    }

    QLineEdit& editor_;
};

}  // namespace

int textFieldLimit(const ExeProfile* profile, Notation notation) {
    std::int64_t size = 0;
    if (profile != nullptr) {
        size = textAreasSize(*profile);
    } else {
        for (const ExeProfile& each : kExeProfiles) {
            size = std::max(size, textAreasSize(each));
        }
    }
    if (notation == Notation::CStyle) {
        size *= 4;
    }
    return static_cast<int>(std::clamp<std::int64_t>(size, 32767, 1 << 28));
}

void guardTextLength(QLineEdit& editor, int limit) {
    editor.setMaxLength(limit);
    new PasteGuard(editor);
}

void pasteWhole(QLineEdit& editor) {
    if (editor.isReadOnly()) {
        return;
    }
    const QString text = QApplication::clipboard()->text();
    if (mayInsert(editor, text)) {
        editor.insert(text);
    }
}

}  // namespace tarn
