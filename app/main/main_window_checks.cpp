// The live space budget and the Checks panel of the main window: the budget in the status bar,
// the rows that would find no place marked in the grid, the findings listed in the panel, the
// next-finding command and the look-alike replacement, and the panel's stored place.
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>

#include "app/main/checks_panel.h"
#include "app/main/grid_model.h"
#include "app/main/main_window.h"
#include "app/main/text_grid_view.h"
#include "app/main/texts_history.h"
#include "app/widgets/prompter.h"
#include "exetext/string_table_commands.h"
#include "exetext/translation_review.h"
#include "textcodes/look_alikes.h"

namespace tarn {

namespace {

constexpr int Translated = StringTableDocument::TranslatedColumn;

constexpr std::int32_t kSmallestPanelSide = 60;

// How many unplaced text numbers the budget's tip names.
constexpr std::size_t kNamedUnplacedTexts = 20;

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

void MainWindow::createChecksPanel() {
    budgetLabel_ = new QLabel(this);
    budgetLabel_->setObjectName(QStringLiteral("budgetLabel"));
    // Apart from the status messages on its left, which the status bar cuts off at it.
    budgetLabel_->setContentsMargins(12, 0, 4, 0);
    statusBar()->addPermanentWidget(budgetLabel_);

    checksPanel_ = new ChecksPanel(this);
    addDockWidget(Qt::BottomDockWidgetArea, checksPanel_);
    checksPanel_->hide();
    checksAction_ = checksPanel_->toggleViewAction();
    checksAction_->setObjectName(QStringLiteral("checksAction"));
    checksAction_->setText(QStringLiteral("Checks"));
    checksAction_->setStatusTip(QStringLiteral("Shows the findings of the translation checks"));
    nextFindingAction_ = new QAction(QStringLiteral("Next finding"), this);
    nextFindingAction_->setObjectName(QStringLiteral("nextFindingAction"));
    nextFindingAction_->setShortcut(Qt::Key_F8);
    nextFindingAction_->setShortcutContext(Qt::WindowShortcut);
    nextFindingAction_->setStatusTip(QStringLiteral("Jump to the next text with a finding"));
    addAction(nextFindingAction_);
    checksPanel_->addAction(nextFindingAction_);  // also while the panel floats

    connect(nextFindingAction_, &QAction::triggered, this, &MainWindow::goToNextFinding);
    connect(checksPanel_, &ChecksPanel::textChosen, this, [this](int text) {
        if (selectCell(text, Translated)) {
            textGrid_->setFocus();
        }
    });
    connect(checksPanel_, &ChecksPanel::lookAlikeRequested, this,
            &MainWindow::replaceTypedCodeWithLookAlike);
    // Any change of a cell's text makes the budget and the findings out of date.
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(Qt::EditRole)) {
                    reviewOutOfDate_ = true;
                }
            });
    connect(this, &MainWindow::settingsLoaded, this, &MainWindow::applyChecksPanelSettings);
    connect(this, &MainWindow::aboutToWriteSettings, this, &MainWindow::captureChecksPanelSettings);
}

void MainWindow::refreshBudgetAndChecks() {
    reviewOutOfDate_ = false;
    const ByteCharacters characters = byteCharacters(codePage());
    const TextAreaTable* areas =
        transProfile_ >= 1 ? &profileByNumber(transProfile_).textAreas : nullptr;
    TranslationReview review = reviewTranslations(document_, areas, characters);
    showBudget(review.budget);
    model_->markUnplacedTexts(review.budget ? review.budget->unplaced : std::vector<int>());
    checksPanel_->setFindings(std::move(review.findings), characters);
}

void MainWindow::refreshBudgetAndChecksIfOutOfDate() {
    if (reviewOutOfDate_) {
        refreshBudgetAndChecks();
    }
}

void MainWindow::showBudget(const std::optional<SpaceBudget>& budget) {
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
    budgetLabel_->setToolTip(budget->fits() ? QString() : unplacedTextsTip(budget->unplaced));
}

void MainWindow::goToNextFinding() {
    if (!checkCurrentCell()) {
        return;
    }
    refreshBudgetAndChecksIfOutOfDate();  // the current cell's edit counts
    const int text = nextFindingText(checksPanel_->findings(), currentRow());
    if (text == 0) {
        prompter().message(QStringLiteral("No more findings"), QStringLiteral("Information"),
                           MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    if (selectCell(text, Translated)) {
        checksPanel_->selectFindingOfText(text);
    }
}

void MainWindow::replaceTypedCodeWithLookAlike(int text, int byte) {
    if (text < 1 || text > StringTableDocument::kRows || byte < 0 || byte > 255) {
        return;
    }
    std::string before;
    if (!document_.bytes(text, Translated, before)) {
        return;  // a text that does not convert has no code to replace
    }
    std::string after = replaceWithLookAlike(before, false, static_cast<std::uint8_t>(byte),
                                             byteCharacters(codePage()));
    if (after == before) {
        return;
    }
    auto step = std::make_unique<SetTextsCommand>(document_, "Replace with look-alike");
    step->add(text, Translated, {std::move(after), false});
    history_->push(std::move(step));
}

void MainWindow::applyChecksPanelSettings() {
    ChecksPanelSettings stored = settings_.checksPanel;
    // A size edited by hand to nothing or less still leaves a panel one can grab.
    stored.width = std::max(stored.width, kSmallestPanelSide);
    stored.height = std::max(stored.height, kSmallestPanelSide);
    const Qt::DockWidgetArea area = dockAreaNamed(stored.area);
    addDockWidget(area, checksPanel_);
    if (stored.floating) {
        checksPanel_->setFloating(true);
        if (stored.left != -1) {
            checksPanel_->setGeometry(stored.left, stored.top, stored.width, stored.height);
            applyPlacementCheck(*checksPanel_);
        } else {
            checksPanel_->resize(stored.width, stored.height);
        }
    } else if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea) {
        resizeDocks({checksPanel_}, {stored.width}, Qt::Horizontal);
    } else {
        resizeDocks({checksPanel_}, {stored.height}, Qt::Vertical);
    }
    checksPanel_->setVisible(stored.visible);
}

void MainWindow::captureChecksPanelSettings() {
    ChecksPanelSettings& stored = settings_.checksPanel;
    stored.visible = !checksPanel_->isHidden();
    stored.floating = checksPanel_->isFloating();
    if (!stored.floating) {
        stored.area = dockAreaName(dockWidgetArea(checksPanel_));
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
