// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/help_window.h"

#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace tarn {

QString headingAnchor(const QString& heading) {
    QString anchor;
    for (const QChar c : heading.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == QChar('-') || c == QChar('_')) {
            anchor += c;
        } else if (c == QChar(' ')) {
            anchor += QChar('-');
        }
    }
    return anchor;
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("TarnEdit Help"));
    // A window of its own beside the program's windows, never modal.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setModal(false);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(720, 560);
}

bool HelpWindow::showGuide(const QString& path) {
    if (path == guidePath_ && !browser_->document()->isEmpty()) {
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QString text = QString::fromUtf8(file.readAll());
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});  // pictures beside the guide
    browser_->setMarkdown(text);
    anchorHeadings();
    guidePath_ = path;
    return true;
}

void HelpWindow::anchorHeadings() {
    // Markdown headings carry no anchors of their own; the guide's links and the context help
    // find them by these names. A repeated heading gets "-1", "-2" … as on the Markdown hosts.
    QSet<QString> used;
    QTextDocument* document = browser_->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.length() <= 1) {
            continue;
        }
        const QString base = headingAnchor(block.text());
        QString anchor = base;
        for (int n = 1; used.contains(anchor); ++n) {
            anchor = base + QChar('-') + QString::number(n);
        }
        used.insert(anchor);
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorNames({anchor});
        cursor.mergeCharFormat(format);
    }
}

void HelpWindow::showSection(const QString& anchor) {
    if (anchor.isEmpty()) {
        browser_->verticalScrollBar()->setValue(0);
        return;
    }
    browser_->scrollToAnchor(anchor);
}

}  // namespace tarn
