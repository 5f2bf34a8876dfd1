#include "app/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>

#include "app/main/about_dialog.h"
#include "app/main/find_and_preview.h"
#include "app/main/grid_controller.h"
#include "app/main/grid_model.h"
#include "app/main/grid_text.h"
#include "app/main/jump_to_text_dialog.h"
#include "app/main/paths_dialog.h"
#include "app/main/save_progress_dialog.h"
#include "app/main/text_grid_view.h"
#include "app/main/texts_history.h"
#include "app/main/unresolved_texts_dialog.h"
#include "app/widgets/help_viewer.h"
#include "app/widgets/prompter.h"
#include "textcodes/cstyle.h"

namespace tarn {

void applyPlacementCheck(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QSize size = screen->size();
    if (window.x() > size.width() - 10 || window.y() > size.height() - 10) {
        window.move(0, 0);
    }
}

QRect firstWindowRect(const QRect& available) {
    // Two thirds of each side: the grid's four columns fit, and other windows stay in reach.
    const QSize size(available.width() * 2 / 3, available.height() * 2 / 3);
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available);
}

MainWindow::MainWindow(const QString& settingsPath, const QString& programDir, QWidget* parent)
    : QMainWindow(parent), settingsPath_(settingsPath), programDir_(programDir) {
    if (!programDir_.isEmpty() && !programDir_.endsWith(QDir::separator()) &&
        !programDir_.endsWith(QChar('/'))) {
        programDir_ += QChar('/');
    }
    // "[*]" shows the window-modified marker while there are unsaved edits.
    setWindowTitle(QStringLiteral("TarnEdit[*]"));
    setMinimumSize(300, 300);
    font_ = QApplication::font();
    history_ = new TextsHistory(document_, this);
    createActions();
    createGrid();
    createChecksPanel();
    createMenusAndToolbar();
    statusBar()->setSizeGripEnabled(true);

    // Grid headings and row numbers come from the model. Stored placement:
    applyMainWindowPlacement(readMainWindowPlacement(openSettings()));
    // The game font, for this program only, when the system does not have it.
    gameFont_.addIfMissing(QStringLiteral("Mirkface"), programDir_ + QStringLiteral("mirk.fon"));
    // The start-up work runs once the window is on screen.
    QMetaObject::invokeMethod(this, &MainWindow::startUp, Qt::QueuedConnection);

    createDialogs();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { checkCellOnFocusLoss(now); });
}

void MainWindow::createDialogs() {
    // The other windows, each once, in the program's order; they live as long as this one.
    pathsDialog_ = new PathsDialog(
        [this](const QString& original, const QString& translated) {
            return checkPaths(original, translated);
        },
        helpFile(), this);
    connect(pathsDialog_, &PathsDialog::pathsChosen, this, &MainWindow::usePaths);
    saveDialog_ = new SaveProgressDialog(this);
    jumpDialog_ = new JumpToTextDialog(this);
    unresolvedDialog_ = new UnresolvedTextsDialog(this);
    aboutDialog_ = new AboutDialog(this);
    findAndPreview_ = new FindAndPreview(*this, *previewAction_, *formatCodeMenu_, cutAction_,
                                         copyAction_, pasteAction_);
    createObjectWindows();
}

MainWindow::~MainWindow() {
    // The grid and the application may still report during the teardown of the children.
    disconnect(qApp, nullptr, this, nullptr);
    delete gridController_;  // unhooks itself from the grid before the document goes
    disconnect(model_, nullptr, this, nullptr);
    disconnect(history_, nullptr, this, nullptr);
}

QString MainWindow::helpFile() const {
    return helpFileFor(programDir_);
}

void MainWindow::applyMainWindowPlacement(const PlacementSettings& placement) {
    if (placement.left != -1) {
        setGeometry(placement.left, placement.top, placement.width, placement.height);
        applyPlacementCheck(*this);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(firstWindowRect(screen->availableGeometry()));
    }
    if (placement.isMaximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void MainWindow::createGrid() {
    model_ = new GridModel(document_, *history_, codePage_, this);
    textGrid_ = new TextGridView(this);
    textGrid_->setObjectName(QStringLiteral("textGrid"));
    textGrid_->setModel(model_);
    textGrid_->setCodePage(&codePage_);
    textGrid_->placeWithoutChecks(1, StringTableDocument::OriginalColumn);
    gridController_ = new GridController(*textGrid_, *model_, document_, *history_, this);
    connect(gridController_, &GridController::cellEntered, this, &MainWindow::showEnteredCell);
    connect(gridController_, &GridController::editFinished, this,
            &MainWindow::refreshBudgetAndChecksIfOutOfDate);
    connect(gridController_, &GridController::cellRestored, this, [this] {
        if (!document_.cstyle() && currentHint_.isEmpty()) {
            showCurrentCodes();
        }
    });
    connect(textGrid_, &TextGridView::contextMenuRequested, this, &MainWindow::showFormatCodeMenu);
    connect(textGrid_, &TextGridView::characterRefused, this, &MainWindow::reportMissingCharacter);
    connect(model_, &GridModel::cellEdited, this, &MainWindow::noteCellEdit);
    connect(history_, &TextsHistory::textsChanged, this, &MainWindow::showHistoryChange);
    connect(history_, &TextsHistory::modifiedChanged, this, &MainWindow::enableSave);
    textGrid_->viewport()->installEventFilter(this);
    formatCodeMenu_ = new QMenu(this);  // filled by FindAndPreview's FormatCodeMenu
    setCentralWidget(textGrid_);
}

void MainWindow::fitColumns() {
    const int width = textGrid_->viewport()->width();
    textGrid_->setColumnWidth(0, 60);
    textGrid_->setColumnWidth(3, 60);
    const int text = (width - 125) / 2;
    textGrid_->setColumnWidth(1, text);
    textGrid_->setColumnWidth(2, text);
}

bool MainWindow::eventFilter(QObject* object, QEvent* event) {
    if (object == textGrid_->viewport() && event->type() == QEvent::Resize) {
        fitColumns();
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(object)) {
            return helpOnMenuItem(*menu);
        }
    }
    return QMainWindow::eventFilter(object, event);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// --- State ---

void MainWindow::setModified(bool modified) {
    document_.setModified(modified);
    enableSave();
}

void MainWindow::enableSave() {
    saveAction_->setEnabled(document_.modified());
    setWindowModified(document_.modified());
}

void MainWindow::showHistoryChange() {
    model_->refreshAll();
    refreshBudgetAndChecks();
    rememberCurrentText();
    if (!document_.cstyle() && currentHint_.isEmpty()) {
        showCurrentCodes();
    }
}

void MainWindow::rememberCurrentText() {
    gridController_->rememberCurrentText();
}

int MainWindow::currentRow() const {
    return textGrid_->currentRow();
}
int MainWindow::currentColumn() const {
    return textGrid_->currentColumn();
}
bool MainWindow::isEditing() const {
    return textGrid_->isEditing();
}
QLineEdit* MainWindow::cellEditor() const {
    return textGrid_->cellEditor();
}
void MainWindow::openCellEditor() {
    QAbstractItemView& view = *textGrid_;
    view.edit(view.currentIndex());
}
void MainWindow::closeCellEditor() {
    textGrid_->closeCellEditor();
}
QWidget* MainWindow::gridViewport() const {
    return textGrid_->viewport();
}

QString MainWindow::cellText(int row, int column) const {
    return model_->index(row - 1, column).data(Qt::DisplayRole).toString();
}

void MainWindow::setCellText(int row, int column, const std::string& text) {
    model_->setCellText(row, column, text);
    if (row == currentRow() && column == currentColumn() && isEditing()) {
        textGrid_->itemDelegate()->setEditorData(cellEditor(), model_->index(row - 1, column));
    }
}

bool MainWindow::selectCell(int row, int column) {
    return textGrid_->moveTo(row, column);
}

QRect MainWindow::cellRect(int row, int column) const {
    return textGrid_->cellRect(row, column);
}

void MainWindow::applyFont(const QFont& font) {
    font_ = font;
    QApplication::setFont(font);  // windows created later
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->setFont(font);
    }
    textGrid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
}

void MainWindow::setHint(const QString& hint) {
    // While the mouse rests on the grid its hint is the application's current hint.
    if (!currentHint_.isEmpty() && currentHint_ == textGrid_->statusTip()) {
        currentHint_ = hint;
    }
    textGrid_->setStatusTip(hint);
}

QString MainWindow::statusText() const {
    return statusBar()->currentMessage();
}

void MainWindow::showStatus(const QString& text) {
    statusBar()->showMessage(text);
}

void MainWindow::showCurrentCodes() {
    const int row = currentRow();
    const int column = currentColumn();
    if (row < 1 || column < 1) {
        showStatus(QString());
        return;
    }
    showStatus(QString::fromStdString(rawToCodes(document_.cell(row, column))));
}

// --- Grid rules ---

bool MainWindow::checkCurrentCell() {
    return gridController_->checkCurrentCell();
}

void MainWindow::showEnteredCell(int row, int column) {
    setHint(QString());
    if (!document_.cstyle()) {
        showStatus(QString::fromStdString(rawToCodes(document_.cell(row, column))));
    }
    refreshBudgetAndChecksIfOutOfDate();
}

void MainWindow::noteCellEdit(int row, int column) {
    if (currentHint_.isEmpty() && !document_.cstyle()) {
        showStatus(QString::fromStdString(rawToCodes(document_.cell(row, column))));
    }
}

void MainWindow::showFormatCodeMenu(const QPoint& globalPos) {
    // The context menu opens only while a cell is being edited.
    if (isEditing() && !formatCodeMenu_->isEmpty()) {
        formatCodeMenu_->popup(globalPos);
    }
}

void MainWindow::checkCellOnFocusLoss(QWidget* now) {
    // The focus moved from the grid to another control of this window.
    if (now == nullptr || now->window() != this || now == textGrid_ ||
        textGrid_->isAncestorOf(now) || closing_) {
        return;
    }
    if (!checkCurrentCell()) {
        textGrid_->setFocus();
        return;
    }
    refreshBudgetAndChecksIfOutOfDate();  // what the other control shows counts the edit
}

void MainWindow::showHint(const QString& hint) {
    currentHint_ = hint;
    if (!hint.isEmpty() || document_.cstyle()) {
        showStatus(hint);
    } else {
        showCurrentCodes();
    }
}

// --- Closing ---

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSaveBeforeClosing()) {
        event->ignore();
        return;
    }
    closing_ = true;
    writeSettingsAtClose();
    event->accept();
}

bool MainWindow::maybeSaveBeforeClosing() {
    if (!document_.modified()) {
        return true;
    }
    const MessageAnswer answer = prompter().message(
        QStringLiteral("The texts were modified since you last saved them\n\rDo you want to save "
                       "them now?"),
        QStringLiteral("Unsaved changes"), MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes) {
        saveTexts();
        return !document_.modified();
    }
    return answer == MessageAnswer::No;
}

}  // namespace tarn
