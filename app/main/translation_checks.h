// SPDX-License-Identifier: GPL-3.0-or-later
// The live space budget and the Checks panel of the main window: the budget in the status bar,
// the rows that would find no place marked in the grid, the findings listed in the panel, the
// next-finding command and the look-alike replacement, and the panel's stored place.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

#include "app/main/window_parts.h"
#include "exetext/space_budget.h"
#include "textcodes/translation_checks.h"

class QAction;
class QLabel;

namespace tarn {

class ChecksPanel;

class TranslationChecks : public QObject {
    Q_OBJECT
public:
    explicit TranslationChecks(WindowParts& parts);

    QAction* panelAction() const { return checksAction_; }  // shows or hides the panel
    QAction* nextFindingAction() const { return nextFindingAction_; }

    // Every change the session announces as done refreshes them; a cell that is left, or a
    // replace run that asks about its next text, refreshes them when a text changed since.
    void refresh();
    void refreshIfOutOfDate();
    // Findings of checks kept elsewhere (spelling), merged into the panel's at each refresh.
    void setMoreFindings(std::function<std::vector<TextFinding>()> more) {
        moreFindings_ = std::move(more);
    }

    // Every finding of the last refresh, in text order.
    const std::vector<TextFinding>& findings() const;
    // The same, brought up to date first.
    const std::vector<TextFinding>& currentFindings();

    void applySettings();
    void captureSettings();

signals:
    // The findings and the budget were made anew.
    void reviewed();
    // The translator asked the grid's filter for the untranslated texts.
    void untranslatedTextsRequested();

private:
    void showBudget(const std::optional<SpaceBudget>& budget);
    void goToNextFinding();
    void replaceTypedCodeWithLookAlike(int text, int byte);
    void giveFirstHeight();

    WindowParts& parts_;
    QLabel* budgetLabel_;
    ChecksPanel* checksPanel_;
    QAction* checksAction_;
    QAction* nextFindingAction_;
    std::function<std::vector<TextFinding>()> moreFindings_;
    bool outOfDate_ = false;
    bool firstHeightDue_ = false;  // no height stored: the first showing gets one
};

}  // namespace tarn
