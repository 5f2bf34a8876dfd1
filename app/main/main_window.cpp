// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QUndoStack>

#include "app/main/character_table_actions.h"
#include "app/main/edit_actions.h"
#include "app/main/executable_growth.h"
#include "app/main/file_actions.h"
#include "app/main/file_drops.h"
#include "app/main/find_wiring.h"
#include "app/main/text_filter_bar.h"
#include "app/main/help_actions.h"
#include "app/main/identical_texts.h"
#include "app/main/main_actions.h"
#include "app/main/menu_escape.h"
#include "app/main/notes_wiring.h"
#include "app/main/object_actions.h"
#include "app/main/po_actions.h"
#include "app/main/preview_wiring.h"
#include "app/main/pseudo_translation.h"
#include "app/main/recent_translations_menu.h"
#include "app/main/save_checks.h"
#include "app/main/settings_keeper.h"
#include "app/main/spelling_actions.h"
#include "app/main/status_line.h"
#include "app/main/texts_session.h"
#include "app/main/translation_checks.h"
#include "app/main/window_font.h"
#include "app/main/main_window_cells.h"
#include "app/objects/object_texts_window.h"
#include "app/preview/format_code_menu.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/game_texts_model.h"
#include "app/widgets/help_viewer.h"
#include "app/widgets/paste_guard.h"
#include "app/widgets/prompter.h"
#include "app/widgets/read_only_title.h"
#include "app/widgets/text_grid_view.h"

namespace tarn {

MainWindow::MainWindow(const QString& settingsPath, const QString& programDir, QWidget* parent)
    : QMainWindow(parent), settingsPath_(settingsPath), programDir_(programDir) {
    if (!programDir_.isEmpty() && !programDir_.endsWith(QDir::separator()) &&
        !programDir_.endsWith(QChar('/'))) {
        programDir_ += QChar('/');
    }
    // "[*]" shows the window-modified marker while there are unsaved edits.
    setWindowTitle(QStringLiteral("TarnEdit[*]"));
    setMinimumSize(300, 300);
    session_ = new TextsSession(this);
    actions_ = new MainActions(*this, session_->stack());
    enableSave(false);
    createGrid();
    parts_ = std::make_unique<WindowParts>(WindowParts{*this, settingsPath_, document(), *session_,
                                                       *model_, *textGrid_, *cellRules_, *status_,
                                                       settings_, codePage_, executables_});
    font_ = new WindowFont(*parts_, codePage_, this);
    checks_ = new TranslationChecks(*parts_);
    help_ = new HelpActions(helpFileFor(programDir_), *this);
    actions_->buildMenusAndToolbar(checks_->panelAction(), checks_->nextFindingAction(), help_);
    new MenuEscape(*menuBar(), *textGrid_);
    filter_ = new TextFilterBar(*parts_, *checks_);  // its bar in a row of its own, above the grid
    statusBar()->setSizeGripEnabled(true);
    stored_ = new WindowSettings(*parts_, *font_, *actions_->notation);
    stored_->applyPlacement();
    settingsKeeper_ = new SettingsKeeper(
        settingsPath_, settings_,
        [this] {
            stored_->capture();
            emit aboutToWriteSettings();
        },
        this);
    connect(settingsKeeper_, &SettingsKeeper::writeProblem, this, [this](const QString& reason) {
        status_->show(reason.isEmpty()
                          ? QStringLiteral("The settings are written again.")
                          : QStringLiteral("The settings cannot be written: %1").arg(reason));
    });
    // The game font, for this program only, when the system does not have it.
    gameFont_.addIfMissing(QStringLiteral("Mirkface"), programDir_ + QStringLiteral("mirk.fon"));
    // The start-up work runs once the window is on screen.
    QMetaObject::invokeMethod(this, &MainWindow::startUp, Qt::QueuedConnection);
    createParts();
    connectActions();
    connectParts();
}

MainWindow::~MainWindow() {
    // The grid and the application may still report during the teardown of the children, when
    // the document and the parts are gone: the grid goes first, while everything is there.
    disconnect(qApp, nullptr, this, nullptr);
    // The viewport dies with the grid and reports its end to its filters: by then the grid is
    // no longer a scroll area to ask for its viewport.
    textGrid_->viewport()->removeEventFilter(this);
    delete cellRules_;  // unhooks itself from the grid
    delete textGrid_;
    delete model_;
}

void MainWindow::createGrid() {
    model_ = new GameTextsModel(*session_, codePage_, this);
    textGrid_ = new TextGridView(this);
    textGrid_->setObjectName(QStringLiteral("textGrid"));
    textGrid_->setModel(model_);
    textGrid_->setCodePage(&codePage_);
    textGrid_->setNotation([this] { return document().notation(); });
    textGrid_->setTextLimit([this] {
        const int profile = executables_.translatedProfile;
        return textFieldLimit(profile >= 1 ? &profileByNumber(profile) : nullptr,
                              document().notation());
    });
    textGrid_->placeWithoutChecks(1, StringTableDocument::OriginalColumn);
    cellRules_ = new CellRules(*textGrid_, *model_, *session_, this);
    status_ = new StatusLine(*statusBar(), *textGrid_, document(), this);
    textGrid_->viewport()->installEventFilter(this);
    setCentralWidget(textGrid_);
}

void MainWindow::createParts() {
    // The other windows, each once; they live as long as this one.
    files_ = new FileActions(*parts_, helpFileFor(programDir_));
    saveChecks_ = new SaveChecks(*parts_, *checks_, *filter_);
    growth_ = new ExecutableGrowth(*parts_, *actions_->grow);
    files_->askBeforeSaving([this] { return saveChecks_->mayWrite(); });
    edit_ = new EditActions(*parts_, *actions_->notation);
    gridForWindows_ = std::make_unique<MainWindowCells>(*parts_);
    find_ = new FindWiring(*gridForWindows_, *this);
    preview_ = new PreviewWiring(*gridForWindows_, *actions_->preview, *this);
    new FormatCodeMenu(edit_->formatCodeMenu(), *gridForWindows_, actions_->cut, actions_->copy,
                       actions_->paste, this);
    po_ = new PoActions(*parts_, (new NotesWiring(*parts_))->notes());
    objects_ = new ObjectActions(*parts_);
    table_ = new CharacterTableActions(*parts_, *font_);
    table_->setOtherBytesInUse([this](const CodePage& page, ByteUse& use) {
        objects_->markUsedBytes(use.byTexts);
        spelling_->markWordBytes(page, use.byWords);
    });
    font_->setPageLayer(
        [this](const CodePage& page, QString& note) { return table_->over(page, note); });
    preview_->followGrid(objects_->objectTextsWindow().textCells(), objects_->objectTextsWindow());
    identical_ = new IdenticalTexts(*parts_);
    spelling_ = new SpellingActions(*parts_, edit_->formatCodeMenu());
    pseudo_ = new PseudoTranslation(*parts_);
    actions_->otherMenu->addActions(
        {identical_->useForOthersAction(), spelling_->languageAction(), pseudo_->action()});
    checks_->setMoreFindings([this] { return spelling_->findings(); });
    objects_->objectTextsWindow().setSpellChecker([this] { return spelling_->checker(); });
    auto* recent = new RecentTranslationsMenu(*actions_->recentMenu, *parts_,
                                              {*files_, *font_, *table_, *spelling_});
    connect(this, &MainWindow::aboutToWriteSettings, recent, &RecentTranslationsMenu::rememberOpen);
}

void MainWindow::connectActions() {
    const MainActions& a = *actions_;
    CellRules& cell = *cellRules_;
    const auto on = [this](QAction* action, auto command) {
        connect(action, &QAction::triggered, this, command);
    };
    // Actions that work on other texts than the current cell's run only when it may be left.
    const auto checked = [&cell, &on](QAction* action, auto command) {
        on(action, cell.whenCellMayBeLeft(command));
    };
    on(a.save, [this] { files_->save(); });
    on(a.run, [this] { files_->run(); });
    checked(a.paths, [this] { files_->choosePaths(); });
    on(a.objectLanguage, [this] { objects_->chooseObjectLanguages(); });
    on(a.objectTexts, [this] { objects_->openObjectTexts(); });
    checked(a.exportPo, [this] { po_->exportTranslation(); });
    new FileDrops(
        *this,
        [&cell, this](const QString& path) {
            cell.whenCellMayBeLeft([this, path] { po_->importTranslationFrom(path); })();
        },
        [&cell, this](const QString& path) {
            cell.whenCellMayBeLeft([this, path] { files_->choosePaths(path); })();
        });
    checked(a.importPo, [this] { po_->importTranslation(); });
    on(a.undo, [this] { edit_->undo(); });
    on(a.redo, [this] { edit_->redo(); });
    checked(a.find, [this] { find_->showFind(); });
    checked(a.replace, [this] { find_->runReplace(); });
    checked(a.copyTexts, [this] { edit_->copyOriginalTexts(); });
    checked(a.jumpTo, [this] { edit_->jumpToText(); });
    checked(a.nextUntranslated, [this] { edit_->goToNextUntranslated(); });
    checked(a.notation, [this] { edit_->toggleNotation(); });
    on(a.notation, [this] { edit_->showNotation(); });  // the check mark follows the document
    on(a.preview, [this] { preview_->togglePreview(); });
    on(a.font, [this] { font_->choose(); });
    checked(a.characterTable, [this] { table_->choose(); });
    on(a.helpContents, [this] { help_->showContents(); });
    on(a.helpOverview, [this] { help_->showOverview(); });
    on(a.about, [this] { help_->showAbout(); });
    checked(identical_->useForOthersAction(), [this] { identical_->useForOthers(); });
    on(spelling_->languageAction(), [this] { spelling_->chooseLanguage(); });
    checked(pseudo_->action(), [this] { pseudo_->pseudoTranslate(); });
}

void MainWindow::connectParts() {
    // First, so that every later subscriber finds the grid showing the new page.
    connect(font_, &WindowFont::codePageChanged, model_, &GameTextsModel::refreshAll);
    connect(cellRules_, &CellRules::cellEntered, this, [this](int row, int column) {
        filter_->keepShown(row);
        status_->showEnteredCell(row, column);
    });
    // The checks count the edit of the cell left, before the suggestions of the cell entered.
    connect(cellRules_, &CellRules::cellEntered, checks_, &TranslationChecks::refreshIfOutOfDate);
    connect(cellRules_, &CellRules::cellEntered, identical_, [this](int row) {
        identical_->showOfferAndSuggestions(row);  // after the codes, which it may replace
    });
    // A replace run's figures follow each replacement before the next question.
    connect(session_, &TextsSession::changePaused, checks_, &TranslationChecks::refreshIfOutOfDate);
    connect(cellRules_, &CellRules::editFinished, checks_, &TranslationChecks::refreshIfOutOfDate);
    connect(cellRules_, &CellRules::editFinished, identical_,
            [this] { identical_->showOfferAndSuggestions(); });
    connect(model_, &GameTextsModel::cellEdited, identical_, &IdenticalTexts::noteCellEdit);
    connect(textGrid_, &TextGridView::editorOpened, spelling_,
            [this](QLineEdit* editor) { spelling_->watchEditor(*editor); });
    connect(spelling_, &SpellingActions::wordsChanged, checks_, &TranslationChecks::refresh);
    connect(spelling_, &SpellingActions::wordsChanged, objects_,
            [this] { objects_->objectTextsWindow().spellingWordsChanged(); });
    connect(cellRules_, &CellRules::cellRestored, status_, &StatusLine::showCodesUnlessHint);
    connect(textGrid_, &TextGridView::contextMenuRequested, edit_,
            &EditActions::showFormatCodeMenu);
    connect(textGrid_, &TextGridView::characterRefused, status_, &StatusLine::showRefusal);
    connect(model_, &GameTextsModel::cellEdited, status_, &StatusLine::noteCellEdit);
    // What shows the texts follows every change the session announces; summaries of all
    // texts wait until a change that goes on (typing, a replace run) ends.
    connect(session_, &TextsSession::textsChanged, this, [this](const ChangedTexts& changed) {
        if (!changed.ongoing) {
            status_->endRefusal();
            status_->showCodesUnlessHint();
            identical_->showSuggestions();
        }
    });
    connect(session_, &TextsSession::modifiedChanged, this, &MainWindow::enableSave);
    connect(session_, &TextsSession::readOnlyChanged, this, &MainWindow::showReadOnly);
    connect(session_, &TextsSession::changeRefused, status_, [this] {
        status_->showRefusal(QStringLiteral("The texts are open read-only: nothing was changed."));
    });
    connect(session_, &TextsSession::loaded, filter_, &TextFilterBar::rememberLoadedTexts);
    connect(session_, &TextsSession::loaded, growth_, &ExecutableGrowth::translatedFileLoaded);
    connect(growth_, &ExecutableGrowth::changed, checks_, &TranslationChecks::refresh);
    connect(checks_, &TranslationChecks::reviewed, filter_, &TextFilterBar::apply);
    connect(checks_, &TranslationChecks::untranslatedTextsRequested, filter_,
            [this] { filter_->showOnly(TextFilterKind::Untranslated); });
    connect(edit_, &EditActions::allTextsWanted, filter_, &TextFilterBar::showAll);
    connect(edit_, &EditActions::notationToggled, objects_,
            [this] { objects_->setNotation(document().notation()); });
    connect(font_, &WindowFont::codePageChanged, this, [this](const CodePage& before) {
        find_->showInCodePage(before, codePage_);
        preview_->setCodePage(codePage_);
        objects_->setCodePage(codePage_);
    });
    // The checks read the bytes' characters in the new page.
    connect(font_, &WindowFont::codePageChanged, checks_, &TranslationChecks::refresh);
    connect(this, &MainWindow::settingsLoaded, this, [this] {
        checks_->applySettings();
        spelling_->applySettings();
        find_->applySettings(settings_);
        preview_->applySettings(settings_);
        objects_->applySettings();
        table_->applySettings();
    });
    connect(this, &MainWindow::aboutToWriteSettings, this, [this] {
        checks_->captureSettings();
        preview_->captureSettings(settings_);
        find_->captureSettings(settings_);
        objects_->captureSettings();
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { checkCellOnFocusLoss(now); });
}

void MainWindow::startUp() {
    status_->holdNotes(true);
    if (stored_->read()) {
        emit settingsLoaded();
        if (settings_.preview.visible) {
            actions_->preview->trigger();  // checks the command and shows the preview window
        }
    }
    settingsKeeper_->start();
    files_->openAtStart();
    status_->holdNotes(false);
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
    return QMainWindow::eventFilter(object, event);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        status_->showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

const StringTableDocument& MainWindow::document() const {
    return session_->document();
}

void MainWindow::enableSave(bool modified) {
    actions_->save->setEnabled(modified);
    setWindowModified(modified);
}

void MainWindow::showReadOnly(bool readOnly) {
    // The actions that change texts; what slips past them is refused by the history.
    for (QAction* action :
         {actions_->replace, actions_->copyTexts, actions_->importPo, actions_->objectLanguage,
          identical_->useForOthersAction(), pseudo_->action()}) {
        action->setEnabled(!readOnly);
    }
    showReadOnlyInTitle(*this, QStringLiteral("TarnEdit"), readOnly);
}

void MainWindow::checkCellOnFocusLoss(QWidget* now) {
    // The focus moved from the grid to another control of this window.
    if (now == nullptr || now->window() != this || now == textGrid_ ||
        textGrid_->isAncestorOf(now) || closing_) {
        return;
    }
    // What the other control shows counts the edit (the checks follow a finished edit).
    if (!cellRules_->mayCloseEditor()) {
        textGrid_->setFocus();
    }
}

QString MainWindow::cellText(int row, int column) const {
    return model_->index(row - 1, column).data(Qt::DisplayRole).toString();
}
void MainWindow::setCellText(int row, int column, const std::string& text) {
    gridForWindows_->setCellText(row, column, text);
}
QFont MainWindow::editorFont() const {
    return font_->font();
}
int MainWindow::fontCharset() const {
    return font_->charset();
}
void MainWindow::setFontCharset(int charset) {
    font_->setCharset(charset);
}
void MainWindow::setHint(const QString& hint) {
    status_->setGridHint(hint);
}
void MainWindow::saveTexts() {
    files_->save();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The object texts window asks about its own files first; either answer may keep both open.
    if (!objects_->closeObjectTexts() || !files_->maySaveBeforeClosing()) {
        event->ignore();
        return;
    }
    closing_ = true;
    files_->closeCleanly();
    if (!settingsWritten_) {
        settingsWritten_ = true;
        // A read-only instance adds no defaults to the file it shares.
        settingsKeeper_->writeAtClose(!session_->isReadOnly());
        gameFont_.remove();
    }
    event->accept();
}

}  // namespace tarn
