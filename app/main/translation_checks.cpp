// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <algorithm>

#include "app/main/checks_panel.h"
#include "app/main/text_moves.h"
#include "app/main/texts_session.h"
#include "app/main/translation_checks.h"
#include "app/main/window_settings.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/prompter.h"
#include "app/widgets/text_grid_view.h"
#include "exetext/string_table_commands.h"
#include "exetext/translation_review.h"
#include "textcodes/consistency_check.h"
#include "textcodes/look_alikes.h"

namespace tarn {

namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

constexpr std::int32_t kSmallestPanelSide = 60;

// How many unplaced text numbers the budget's tip names.
constexpr std::size_t kNamedUnplacedTexts = 20;

// How many findings the panel shows when it first appears.
constexpr int kFirstPanelRows = 12;

const std::pair<const char*, Qt::DockWidgetArea> kDockAreas[] = {
    {"left", Qt::LeftDockWidgetArea},
    {"right", Qt::RightDockWidgetArea},
    {"top", Qt::TopDockWidgetArea},
    {"bottom", Qt::BottomDockWidgetArea}};

Qt::DockWidgetArea dockAreaNamed(const std::string& name) {
    for (const auto& [areaName, area] : kDockAreas) {
        if (name == areaName) {
            return area;
        }
    }
    return Qt::BottomDockWidgetArea;
}

std::string dockAreaName(Qt::DockWidgetArea area) {
    for (const auto& [areaName, dockArea] : kDockAreas) {
        if (area == dockArea) {
            return areaName;
        }
    }
    return "bottom";
}

QString unplacedTextsTip(const std::vector<int>& unplaced) {
    QStringList numbers;
    for (std::size_t i = 0; i < unplaced.size() && i < kNamedUnplacedTexts; ++i) {
        numbers << QString::number(unplaced[i]);
    }
    if (unplaced.size() > kNamedUnplacedTexts) {
        numbers << QStringLiteral("...");
    }
    return QStringLiteral("Texts that do not fit: ") + numbers.join(QStringLiteral(", "));
}

}  // namespace

TranslationChecks::TranslationChecks(WindowParts& parts) : QObject(&parts.window), parts_(parts) {
    QMainWindow& window = parts.window;
    budgetLabel_ = new QLabel(&window);
    budgetLabel_->setObjectName(QStringLiteral("budgetLabel"));
    // Apart from the status messages on its left, which the status bar cuts off at it.
    budgetLabel_->setContentsMargins(12, 0, 4, 0);
    window.statusBar()->addPermanentWidget(budgetLabel_);

    checksPanel_ = new ChecksPanel(&window);
    window.addDockWidget(Qt::BottomDockWidgetArea, checksPanel_);
    checksPanel_->hide();
    checksAction_ = checksPanel_->toggleViewAction();
    checksAction_->setObjectName(QStringLiteral("checksAction"));
    checksAction_->setText(QStringLiteral("Chec&ks"));
    checksAction_->setStatusTip(QStringLiteral("Shows the findings of the translation checks"));
    nextFindingAction_ = new QAction(QStringLiteral("Next fin&ding"), &window);
    nextFindingAction_->setObjectName(QStringLiteral("nextFindingAction"));
    nextFindingAction_->setShortcut(Qt::Key_F8);
    nextFindingAction_->setShortcutContext(Qt::WindowShortcut);
    nextFindingAction_->setStatusTip(
        QStringLiteral("Jump to the next text with an error or a warning"));
    window.addAction(nextFindingAction_);
    checksPanel_->addAction(nextFindingAction_);  // also while the panel floats

    connect(nextFindingAction_, &QAction::triggered, this,
            parts.cellRules.whenCellMayBeLeft([this] { goToNextFinding(); }));
    connect(checksPanel_, &ChecksPanel::textChosen, this,
            [this](int text) { workOnTranslation(parts_.grid, text); });
    connect(checksPanel_, &ChecksPanel::lookAlikeRequested, this,
            &TranslationChecks::replaceTypedCodeWithLookAlike);
    connect(checksPanel_, &ChecksPanel::untranslatedTextsRequested, this,
            &TranslationChecks::untranslatedTextsRequested);
    connect(checksPanel_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && firstHeightDue_) {
            giveFirstHeight();
        }
    });
    // Any change of a text makes the budget and the findings out of date; they are brought up
    // to date at once unless the change goes on (typing, a replace run).
    connect(&parts.session, &TextsSession::textsChanged, this, [this](const ChangedTexts& changed) {
        outOfDate_ = true;
        if (!changed.ongoing) {
            refresh();
        }
    });
}

void TranslationChecks::refresh() {
    outOfDate_ = false;
    const ByteCharacters characters = byteCharacters(parts_.codePage);
    const int profile = parts_.executables.translatedProfile;
    const TextAreaTable* areas = profile >= 1 ? &profileByNumber(profile).textAreas : nullptr;
    TranslationReview review = reviewTranslations(parts_.document, areas, characters,
                                                  parts_.executables.mayGrow);
    if (moreFindings_) {
        mergeFindings(review.findings, moreFindings_());
    }
    showBudget(review.budget);
    parts_.model.markRows(review.budget ? review.budget->unplaced : std::vector<int>(),
                          QStringLiteral("This text does not fit in the executable file"));
    checksPanel_->setFindings(std::move(review.findings), characters);
    emit reviewed();
}

const std::vector<TextFinding>& TranslationChecks::findings() const {
    return checksPanel_->findings();
}

const std::vector<TextFinding>& TranslationChecks::currentFindings() {
    refreshIfOutOfDate();  // the current cell's edit counts
    return findings();
}

void TranslationChecks::refreshIfOutOfDate() {
    if (outOfDate_) {
        refresh();
    }
}

void TranslationChecks::showBudget(const std::optional<SpaceBudget>& budget) {
    if (!budget) {
        budgetLabel_->clear();
        budgetLabel_->setToolTip(QString());
        budgetLabel_->setPalette(QPalette());
        return;
    }
    budgetLabel_->setText(QString::fromStdString(spaceBudgetStatus(*budget)));
    QPalette palette;
    if (!budget->fits()) {
        palette.setColor(QPalette::WindowText, Qt::red);
    }
    budgetLabel_->setPalette(palette);
    // Beside the last save's report in the status line, this one is the figure of now.
    QString tip = budget->fits() ? QStringLiteral("The space a save would leave now")
                                 : unplacedTextsTip(budget->unplaced);
    for (const std::string& line : spaceBudgetDetails(*budget)) {
        tip += QLatin1Char('\n') + QString::fromStdString(line);
    }
    budgetLabel_->setToolTip(tip);
}

void TranslationChecks::goToNextFinding() {
    refreshIfOutOfDate();  // the current cell's edit counts
    // Errors and warnings want a look; texts the grid's filter hides are passed over.
    const auto& findings = checksPanel_->findings();
    const NextText nextShown = [this, &findings](int after) {
        int text = nextFindingText(findings, after, Severity::Warning);
        while (text != 0 && parts_.grid.isRowHidden(text - 1)) {
            text = nextFindingText(findings, text, Severity::Warning);
        }
        return text;
    };
    const int text =
        nextTextStartingAgain(parts_.grid.currentRow(), nextShown, QStringLiteral("Next finding"),
                              QStringLiteral("No more findings"));
    if (text != 0 && workOnTranslation(parts_.grid, text)) {
        checksPanel_->selectFindingOfText(text);
    }
}

void TranslationChecks::replaceTypedCodeWithLookAlike(int text, int byte) {
    if (text < 1 || text > StringTableDocument::kRows || byte < 0 || byte > 255) {
        return;
    }
    const Converted<std::string> converted = parts_.document.bytes(text, Translated);
    if (!converted) {
        return;  // a text that does not convert has no code to replace
    }
    const std::string& before = converted.value();
    std::string after = replaceWithLookAlike(before, Notation::Raw, static_cast<std::uint8_t>(byte),
                                             byteCharacters(parts_.codePage));
    if (after == before) {
        return;
    }
    auto step = std::make_unique<SetTextsCommand>(parts_.session.stepTarget(), "Replace with look-alike");
    step->add(text, Translated, {std::move(after), false});
    parts_.session.push(std::move(step));
}

void TranslationChecks::applySettings() {
    QMainWindow& window = parts_.window;
    ChecksPanelSettings stored = parts_.settings.checksPanel;
    checksPanel_->setFilter(stored.filter);
    // No height yet: the first showing makes room for a dozen findings.
    firstHeightDue_ = stored.height < 0;
    // A size edited by hand to nothing or less still leaves a panel one can grab.
    stored.width = std::max(stored.width, kSmallestPanelSide);
    stored.height =
        std::max(stored.height, firstHeightDue_ ? checksPanel_->heightForRows(kFirstPanelRows)
                                                : kSmallestPanelSide);
    const Qt::DockWidgetArea area = dockAreaNamed(stored.area);
    window.addDockWidget(area, checksPanel_);
    if (stored.floating) {
        checksPanel_->setFloating(true);
        if (stored.left != -1) {
            checksPanel_->setGeometry(stored.left, stored.top, stored.width, stored.height);
            applyPlacementCheck(*checksPanel_);
        } else {
            checksPanel_->resize(stored.width, stored.height);
        }
    } else if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea) {
        window.resizeDocks({checksPanel_}, {stored.width}, Qt::Horizontal);
    } else {
        window.resizeDocks({checksPanel_}, {stored.height}, Qt::Vertical);
    }
    checksPanel_->setVisible(stored.visible);
}

void TranslationChecks::giveFirstHeight() {
    firstHeightDue_ = false;
    if (!checksPanel_->isFloating()) {
        const Qt::DockWidgetArea area = parts_.window.dockWidgetArea(checksPanel_);
        if (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea) {
            parts_.window.resizeDocks({checksPanel_},
                                      {checksPanel_->heightForRows(kFirstPanelRows)}, Qt::Vertical);
        }
    }
}

void TranslationChecks::captureSettings() {
    ChecksPanelSettings& stored = parts_.settings.checksPanel;
    stored.filter = checksPanel_->filter();
    stored.visible = !checksPanel_->isHidden();
    stored.floating = checksPanel_->isFloating();
    if (!stored.floating) {
        stored.area = dockAreaName(parts_.window.dockWidgetArea(checksPanel_));
    }
    if (!stored.visible) {
        return;  // a hidden panel has no size of its own: the stored one is kept
    }
    const QRect bounds = checksPanel_->geometry();
    if (stored.floating) {
        stored.left = bounds.left();
        stored.top = bounds.top();
    }
    stored.width = bounds.width();
    stored.height = bounds.height();
}

}  // namespace tarn
