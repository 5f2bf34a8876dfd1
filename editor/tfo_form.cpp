#include "editor/tfo_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>

#include "editor/about_form.h"
#include "editor/config_form.h"
#include "editor/find_and_preview.h"
#include "editor/form_save.h"
#include "editor/grid_model.h"
#include "editor/jump_to_form.h"
#include "editor/not_found_form.h"
#include "editor/string_grid.h"
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

TFoForm::TFoForm(const QString& settingsPath, const QString& programDir, QWidget* parent)
    : QMainWindow(parent), settingsPath_(settingsPath), programDir_(programDir) {
    if (!programDir_.isEmpty() && !programDir_.endsWith(QDir::separator()) &&
        !programDir_.endsWith(QChar('/'))) {
        programDir_ += QChar('/');
    }
    setWindowTitle(QStringLiteral("TarnEdit"));
    setMinimumSize(300, 300);
    font_ = QApplication::font();
    createActions();
    createGrid();
    createMenusAndToolbar();
    statusBar()->setSizeGripEnabled(true);
    FormCreate();

    // The other windows, each once, in the program's order; they live as long as this one.
    ConfigForm = new TConfigForm(this);
    FormSave = new TFormSave(this);
    JumpToForm = new TJumpToForm(this);
    NotFoundForm = new TNotFoundForm(this);
    AboutForm = new TAboutForm(this);
    FindPreview = new FindAndPreview(*this);
    createObjectWindows();  // the object texts window and the object language options

    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { gridFocusLost(now); });
}

TFoForm::~TFoForm() {
    // The grid and the application may still report during the teardown of the children.
    disconnect(qApp, nullptr, this, nullptr);
    StringGrid1->selectCell = nullptr;
    StringGrid1->enterInEditor = nullptr;
    StringGrid1->startEditing = nullptr;
    StringGrid1->escape = nullptr;
    StringGrid1->contextMenu = nullptr;
    disconnect(model_, nullptr, this, nullptr);
}

QString TFoForm::helpFile() const {
    return programDir_ + QStringLiteral("Ostrel2.hlp");
}

void TFoForm::FormCreate() {
    // Grid headings and row numbers come from the model. Stored placement:
    const ProfileFile ini = openSettings();
    applyMainWindowPlacement(readMainWindowPlacement(ini));
    // The game font, for this program only, when the system does not have it.
    gameFont_.addIfMissing(QStringLiteral("Mirkface"), programDir_ + QStringLiteral("mirk.fon"));
    // The start-up work runs once the window is on screen.
    QMetaObject::invokeMethod(this, &TFoForm::LoadSettings, Qt::QueuedConnection);
}

void TFoForm::applyMainWindowPlacement(const PlacementSettings& placement) {
    if (placement.left != -1) {
        setGeometry(placement.left, placement.top, placement.width, placement.height);
        applyPlacementCheck(*this);
    }
    if (placement.isMaximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TFoForm::createGrid() {
    model_ = new GridModel(document_, this);
    StringGrid1 = new StringGrid(this);
    StringGrid1->setModel(model_);
    StringGrid1->placeWithoutChecks(1, StringTableDocument::OriginalColumn);
    StringGrid1->selectCell = [this](int row, int column) {
        return StringGrid1SelectCell(row, column);
    };
    StringGrid1->enterInEditor = [this]() { return editorEnter(); };
    StringGrid1->startEditing = [this]() { startEditingWithEnter(); };
    StringGrid1->escape = [this]() { escapePressed(); };
    StringGrid1->contextMenu = [this](const QPoint& pos) { StringGrid1ContextPopup(pos); };
    connect(model_, &GridModel::cellEdited, this, &TFoForm::StringGrid1SetEditText);
    StringGrid1->viewport()->installEventFilter(this);
    PopupMenu1 = new QMenu(this);
    setCentralWidget(StringGrid1);
}

void TFoForm::FormResize() {
    const int width = StringGrid1->viewport()->width();
    StringGrid1->setColumnWidth(0, 60);
    StringGrid1->setColumnWidth(3, 60);
    const int text = (width - 125) / 2;
    StringGrid1->setColumnWidth(1, text);
    StringGrid1->setColumnWidth(2, text);
}

bool TFoForm::eventFilter(QObject* object, QEvent* event) {
    if (object == StringGrid1->viewport() && event->type() == QEvent::Resize) {
        FormResize();
    }
    return QMainWindow::eventFilter(object, event);
}

bool TFoForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ApplicationEvents1Hint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// --- State ---

void TFoForm::setModified(bool modified) {
    document_.setModified(modified);
    SaveUpdate();
}

void TFoForm::SaveUpdate() {
    Save->setEnabled(document_.modified());
}

int TFoForm::currentRow() const {
    return StringGrid1->currentRow();
}
int TFoForm::currentColumn() const {
    return StringGrid1->currentColumn();
}
bool TFoForm::isEditing() const {
    return StringGrid1->isEditing();
}
QLineEdit* TFoForm::cellEditor() const {
    return StringGrid1->cellEditor();
}

QString TFoForm::cellText(int row, int column) const {
    return model_->index(row - 1, column).data(Qt::DisplayRole).toString();
}

void TFoForm::setCellText(int row, int column, const std::string& text) {
    model_->setCellText(row, column, text);
    if (row == currentRow() && column == currentColumn() && isEditing()) {
        StringGrid1->itemDelegate()->setEditorData(cellEditor(), model_->index(row - 1, column));
    }
}

bool TFoForm::selectCell(int row, int column) {
    return StringGrid1->moveTo(row, column);
}

QRect TFoForm::cellRect(int row, int column) const {
    return StringGrid1->cellRect(row, column);
}

void TFoForm::applyFont(const QFont& font) {
    font_ = font;
    QApplication::setFont(font);  // windows created later
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->setFont(font);
    }
    StringGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
}

void TFoForm::setHint(const QString& hint) {
    // While the mouse rests on the grid its hint is the application's current hint.
    if (!currentHint_.isEmpty() && currentHint_ == StringGrid1->statusTip()) {
        currentHint_ = hint;
    }
    StringGrid1->setStatusTip(hint);
}

QString TFoForm::statusText() const {
    return statusBar()->currentMessage();
}

void TFoForm::showStatus(const QString& text) {
    statusBar()->showMessage(text);
}

void TFoForm::showCurrentCodes() {
    const int row = currentRow();
    const int column = currentColumn();
    if (row < 1 || column < 1) {
        showStatus(QString());
        return;
    }
    showStatus(QString::fromStdString(rawToCodes(document_.cell(row, column))));
}

// --- Grid rules ---

bool TFoForm::CheckCurrentCell() {
    const int row = currentRow();
    const int column = currentColumn();
    if (row < 1) {
        return true;
    }
    const auto error = document_.cellError(row, column);
    if (!error) {
        return true;
    }
    prompter().message(
        QStringLiteral("The C-style string you entered has an error:\n\r") +
            QString::fromStdString(*error) +
            QStringLiteral("\n\rYou must fix this error to continue or press ESC to undo your "
                           "changes"),
        QStringLiteral("Error in string"), MessageIcon::Error, MessageButtons::Ok);
    return false;
}

bool TFoForm::StringGrid1SelectCell(int row, int column) {
    if (!CheckCurrentCell()) {
        return false;
    }
    const int leftRow = currentRow();
    const int leftColumn = currentColumn();
    if (leftRow >= 1 && document_.cstyle()) {
        const std::string before = document_.cell(leftRow, leftColumn);
        document_.normaliseCell(leftRow, leftColumn);
        if (document_.cell(leftRow, leftColumn) != before) {
            model_->setCellText(leftRow, leftColumn, document_.cell(leftRow, leftColumn));
        }
    }
    if (column == StringTableDocument::ShortColumn || column == StringTableDocument::NumberColumn) {
        return false;
    }
    document_.setUndoText(document_.cell(row, column));
    setHint(QString());
    if (!document_.cstyle()) {
        showStatus(QString::fromStdString(rawToCodes(document_.cell(row, column))));
    }
    return true;
}

void TFoForm::StringGrid1SetEditText(int row, int column) {
    if (column == StringTableDocument::TranslatedColumn) {
        setModified(true);
    }
    if (currentHint_.isEmpty() && !document_.cstyle()) {
        showStatus(QString::fromStdString(rawToCodes(document_.cell(row, column))));
    }
}

bool TFoForm::editorEnter() {
    return CheckCurrentCell();
}

void TFoForm::startEditingWithEnter() {
    const int row = currentRow();
    const int column = currentColumn();
    if (row >= 1 && column >= 1) {
        document_.setUndoText(document_.cell(row, column));
    }
}

void TFoForm::escapePressed() {
    const int row = currentRow();
    const int column = currentColumn();
    if (row >= 1 && (column == 1 || column == 2)) {
        model_->setCellText(row, column, document_.undoText());
        if (!document_.cstyle() && currentHint_.isEmpty()) {
            showCurrentCodes();
        }
    }
}

void TFoForm::StringGrid1ContextPopup(const QPoint& globalPos) {
    // The context menu opens only while a cell is being edited.
    if (isEditing() && !PopupMenu1->isEmpty()) {
        PopupMenu1->popup(globalPos);
    }
}

void TFoForm::gridFocusLost(QWidget* now) {
    // StringGrid1Exit: the focus moved from the grid to another control of this window.
    if (now == nullptr || now->window() != this || now == StringGrid1 ||
        StringGrid1->isAncestorOf(now) || closing_) {
        return;
    }
    if (!CheckCurrentCell()) {
        StringGrid1->setFocus();
    }
}

void TFoForm::ApplicationEvents1Hint(const QString& hint) {
    currentHint_ = hint;
    if (!hint.isEmpty() || document_.cstyle()) {
        showStatus(hint);
    } else {
        showCurrentCodes();
    }
}

// --- Closing ---

void TFoForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    closing_ = true;
    FormClose();
    event->accept();
}

bool TFoForm::FormCloseQuery() {
    if (!document_.modified()) {
        return true;
    }
    const MessageAnswer answer = prompter().message(
        QStringLiteral("The texts were modified since you last saved them\n\rDo you want to save "
                       "them now?"),
        QStringLiteral("Unsaved changes"), MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes) {
        SaveTexts();
        return !document_.modified();
    }
    return answer == MessageAnswer::No;
}

}  // namespace tarn
