// SPDX-License-Identifier: GPL-3.0-or-later
// The Checks panel: a dock beside the grid that lists the findings of the translation checks,
// one row each (text number, severity icon, check, message), errors first, then warnings, then
// the rest, each in text order but for the longer findings, which come last in their severity,
// the most bytes over the original first. Boxes above the list choose the severities and the
// check shown; the thousands of "untranslated" findings are left out unless asked for, with
// their count and a link that lets the grid's filter show those texts instead. Enter or a
// double click on a finding asks for its text's cell; for a code byte typed as a character
// (typed-code) the context menu offers to replace it with its plain look-alike. The panel only
// shows and asks: the main window moves the grid and changes the texts.
#pragma once

#include <QDockWidget>
#include <vector>

#include "app/main/app_settings.h"
#include "textcodes/translation_checks.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QTreeView;

namespace tarn {

class FindingsModel;

class ChecksPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit ChecksPanel(QWidget* parent = nullptr);

    // Replaces the findings (in text order); the selected finding stays selected while it is
    // listed. characters: the code page the findings were made with.
    void setFindings(std::vector<TextFinding> findings, const ByteCharacters& characters);
    // Every finding, in text order, whether listed or not.
    const std::vector<TextFinding>& findings() const { return all_; }
    // Makes the text's first listed finding the current one and scrolls to it.
    void selectFindingOfText(int text);

    FindingsFilterSettings filter() const;
    void setFilter(const FindingsFilterSettings& filter);
    // The height that shows this many rows of findings below the boxes.
    int heightForRows(int rows) const;

signals:
    // Enter or a double click on a finding of this text.
    void textChosen(int text);
    // The translator asked to replace the code byte `byte` of the text with its look-alike.
    void lookAlikeRequested(int text, int byte);
    // The translator asked to see the untranslated texts in the grid.
    void untranslatedTextsRequested();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    const TextFinding* currentFinding() const;
    void chooseCurrent();
    void updateLookAlikeAction();
    QWidget* createFilterRow();
    bool isListed(const TextFinding& found) const;
    void listFindings();  // the findings the boxes let through, in the list's order

    std::vector<TextFinding> all_;
    FindingsModel* model_;
    QTreeView* list_;
    QCheckBox* errorsBox_;
    QCheckBox* warningsBox_;
    QCheckBox* infoBox_;
    QCheckBox* untranslatedBox_;
    QComboBox* checkChoice_;
    QLabel* untranslatedCount_;
    QAction* lookAlikeAction_;
    ByteCharacters characters_{};
};

}  // namespace tarn
