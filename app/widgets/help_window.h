// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: the user guide, a Markdown file, shown in a browser that opens at a section.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace tarn {

// The anchor a heading gets, as on the usual Markdown hosts: lower case, letters, digits, '-'
// and '_' kept, spaces turned into '-', everything else dropped ("The paths dialog" →
// "the-paths-dialog").
QString headingAnchor(const QString& heading);

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the guide in that file (read afresh when it is another file than the one shown).
    // False when the file cannot be read; what is shown stays.
    bool showGuide(const QString& path);
    // Scrolls to the heading of that anchor; empty: the top.
    void showSection(const QString& anchor);
    const QString& guidePath() const { return guidePath_; }

private:
    void anchorHeadings();

    QTextBrowser* browser_;
    QString guidePath_;
};

}  // namespace tarn
