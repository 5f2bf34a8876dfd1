// The main window's actions, menus and toolbar.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "app/main/main_window.h"
#include "app/main/texts_history.h"
#include "app/main/toolbar_icons.h"
#include "app/widgets/help_viewer.h"

namespace tarn {

namespace {

// The help context number of a command, on its action.
constexpr const char* kHelpContextProperty = "helpContext";

QAction* makeAction(QObject* parent, const char* name, const char* caption,
                    const QKeySequence& shortcut, const char* hint) {
    auto* action = new QAction(QString::fromUtf8(caption), parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    const QString tip = QString::fromUtf8(hint);
    action->setStatusTip(tip);
    action->setToolTip(tip.isEmpty() ? action->text() : tip);
    return action;
}

// Gives an action the desktop's usual key beside the game tool's own. A menu shows only an
// action's first shortcut, unless the text carries its own after a tab: that part names both.
void addDesktopShortcut(QAction* action, const QKeySequence& desktopKey) {
    const QList<QKeySequence> keys{action->shortcut(), desktopKey};
    action->setShortcuts(keys);
    action->setIconText(action->iconText());  // the toolbar's text stays the caption alone
    action->setText(action->text() + QChar('\t') +
                    QKeySequence::listToString(keys, QKeySequence::NativeText));
}

// The standard edit commands act on the focused edit box (the cell editor).
template <typename Command>
void onFocusedEdit(Command command) {
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        (edit->*command)();
    }
}

}  // namespace

void MainWindow::createActions() {
    const QStyle* s = style();
    saveAction_ = makeAction(this, "saveAction", "Save", Qt::Key_F2,
                             "Save changed texts to the executable files");
    saveAction_->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    runAction_ = makeAction(this, "runAction", "Run", Qt::Key_F3, "Run translated executable file");
    runAction_->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
    pathsAction_ =
        makeAction(this, "pathsAction", "Configure...", {}, "Set the paths of the necessary files");
    objectLanguageAction_ =
        makeAction(this, "objectLanguageAction", "Set object language options...", {},
                   "Select the preferred language of Tarn when loading texts from plugin files");
    objectTextsAction_ = makeAction(this, "objectTextsAction", "Translate object files...", {},
                                    "Allows translating texts found in plug-in object files");
    exitAction_ = makeAction(this, "exitAction", "E&xit", {}, "Exit the program");
    undoAction_ = makeAction(this, "undoAction", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z),
                             "Undo the last change of the texts");
    redoAction_ = makeAction(this, "redoAction", "Redo", QKeySequence(Qt::CTRL | Qt::Key_Y),
                             "Redo the change undone last");
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    cutAction_ = makeAction(this, "cutAction", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), "Cut");
    cutAction_->setIcon(cutIcon());
    copyAction_ =
        makeAction(this, "copyAction", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), "Copy");
    copyAction_->setIcon(copyIcon());
    pasteAction_ =
        makeAction(this, "pasteAction", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), "Paste");
    pasteAction_->setIcon(pasteIcon());
    findAction_ = makeAction(this, "findAction", "Find...", Qt::Key_F5, "Find text among strings");
    findAction_->setIcon(QIcon::fromTheme(QStringLiteral("edit-find"),
                                          s->standardIcon(QStyle::SP_FileDialogContentsView)));
    replaceAction_ =
        makeAction(this, "replaceAction", "Replace", Qt::Key_F6, "Replace text among strings");
    replaceAction_->setIcon(QIcon::fromTheme(QStringLiteral("edit-find-replace"),
                                             s->standardIcon(QStyle::SP_BrowserReload)));
    copyTextsAction_ = makeAction(this, "copyTextsAction", "Copy strings", {},
                                  "Copy all strings from the left side to the right");
    jumpToAction_ = makeAction(this, "jumpToAction", "Jump to...", Qt::Key_F4,
                               "Jump to the string with the given number");
    jumpToAction_->setIcon(s->standardIcon(QStyle::SP_ArrowRight));
    nextUntranslatedAction_ = makeAction(this, "nextUntranslatedAction", "Next untranslated",
                                         Qt::Key_F7, "Jump to the next untranslated string");
    nextUntranslatedAction_->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    notationAction_ = makeAction(this, "notationAction", "C-style strings",
                                 QKeySequence(Qt::ALT | Qt::Key_C), "Toggles C-style strings");
    notationAction_->setCheckable(true);
    previewAction_ = makeAction(this, "previewAction", "Preview", QKeySequence(Qt::ALT | Qt::Key_P),
                                "Shows a preview of the edited text");
    previewAction_->setCheckable(true);
    fontAction_ = makeAction(this, "fontAction", "Change used font...", {}, "");
    helpContentsAction_ =
        makeAction(this, "helpContentsAction", "&Contents", {}, "Shows Help contents");
    helpContentsAction_->setIcon(helpIcon());
    helpOverviewAction_ = makeAction(this, "helpOverviewAction", "Overview", {},
                                     "Show overview about hte program functions");
    aboutAction_ = makeAction(this, "aboutAction", "About...", {}, "About Ostrel 2");
    createPoActions();

    // The guide's section for F1 on a highlighted menu item.
    for (const auto& [action, context] :
         {std::pair{saveAction_, 6}, std::pair{runAction_, 6}, std::pair{pathsAction_, 5},
          std::pair{copyTextsAction_, 8}, std::pair{notationAction_, 3}}) {
        action->setProperty(kHelpContextProperty, context);
    }

    addDesktopShortcut(saveAction_, QKeySequence(Qt::CTRL | Qt::Key_S));
    addDesktopShortcut(findAction_, QKeySequence(Qt::CTRL | Qt::Key_F));
    addDesktopShortcut(replaceAction_, QKeySequence(Qt::CTRL | Qt::Key_H));
    addDesktopShortcut(jumpToAction_, QKeySequence(Qt::CTRL | Qt::Key_G));
    helpContentsAction_->setShortcut(Qt::Key_F1);

    for (QAction* a :
         {saveAction_,         runAction_,       pathsAction_,  objectLanguageAction_,
          objectTextsAction_,  exitAction_,      undoAction_,   redoAction_,
          cutAction_,          copyAction_,      pasteAction_,  findAction_,
          replaceAction_,      copyTextsAction_, jumpToAction_, nextUntranslatedAction_,
          notationAction_,     previewAction_,   fontAction_,   helpContentsAction_,
          helpOverviewAction_, aboutAction_}) {
        addAction(a);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    saveAction_->setEnabled(false);

    connect(saveAction_, &QAction::triggered, this, &MainWindow::saveTexts);
    connect(runAction_, &QAction::triggered, this, &MainWindow::runGame);
    connect(pathsAction_, &QAction::triggered, this, &MainWindow::choosePaths);
    connect(objectLanguageAction_, &QAction::triggered, this, &MainWindow::chooseObjectLanguages);
    connect(objectTextsAction_, &QAction::triggered, this, &MainWindow::openObjectTexts);
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);
    connect(undoAction_, &QAction::triggered, this, &MainWindow::undo);
    connect(redoAction_, &QAction::triggered, this, &MainWindow::redo);
    // The menu names the step: "Undo Replace All (412 texts)".
    const QUndoStack& stack = history_->stack();
    auto nameSteps = [this, &stack] {
        undoAction_->setEnabled(stack.canUndo());
        redoAction_->setEnabled(stack.canRedo());
        undoAction_->setText(stack.canUndo() ? QStringLiteral("Undo ") + stack.undoText()
                                             : QStringLiteral("Undo"));
        redoAction_->setText(stack.canRedo() ? QStringLiteral("Redo ") + stack.redoText()
                                             : QStringLiteral("Redo"));
    };
    connect(&stack, &QUndoStack::indexChanged, this, nameSteps);
    connect(&stack, &QUndoStack::cleanChanged, this, nameSteps);
    nameSteps();
    connect(cutAction_, &QAction::triggered, this, []() { onFocusedEdit(&QLineEdit::cut); });
    connect(copyAction_, &QAction::triggered, this, []() { onFocusedEdit(&QLineEdit::copy); });
    connect(pasteAction_, &QAction::triggered, this, []() { onFocusedEdit(&QLineEdit::paste); });
    connect(findAction_, &QAction::triggered, this, &MainWindow::showFind);
    connect(replaceAction_, &QAction::triggered, this, &MainWindow::replaceTexts);
    connect(copyTextsAction_, &QAction::triggered, this, &MainWindow::copyOriginalTexts);
    connect(jumpToAction_, &QAction::triggered, this, &MainWindow::jumpToText);
    connect(nextUntranslatedAction_, &QAction::triggered, this, &MainWindow::goToNextUntranslated);
    connect(notationAction_, &QAction::triggered, this, &MainWindow::toggleNotation);
    connect(previewAction_, &QAction::triggered, this, &MainWindow::togglePreview);
    connect(fontAction_, &QAction::triggered, this, &MainWindow::chooseFont);
    connect(helpContentsAction_, &QAction::triggered, this, &MainWindow::showHelpContents);
    connect(helpOverviewAction_, &QAction::triggered, this, &MainWindow::showHelpOverview);
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::createMenusAndToolbar() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addActions(
        {saveAction_, runAction_, pathsAction_, objectLanguageAction_, objectTextsAction_});
    file->addSeparator();
    file->addActions({exportPoAction_, importPoAction_});
    file->addSeparator();
    file->addAction(exitAction_);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addActions({undoAction_, redoAction_});
    edit->addSeparator();
    edit->addActions({cutAction_, copyAction_, pasteAction_});
    QMenu* search = menuBar()->addMenu(QStringLiteral("&Search"));
    search->addActions({findAction_, replaceAction_});
    QMenu* other = menuBar()->addMenu(QStringLiteral("&Other"));
    other->addActions({copyTextsAction_, jumpToAction_, nextUntranslatedAction_, notationAction_,
                       previewAction_, fontAction_});
    other->addActions({checksAction_, nextFindingAction_});
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addActions({helpContentsAction_, helpOverviewAction_});
    help->addSeparator();
    help->addAction(aboutAction_);
    for (QMenu* menu : {file, edit, search, other, help}) {
        menu->installEventFilter(this);  // F1 on an item: its help (helpOnMenuItem)
    }

    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("mainToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->addAction(saveAction_);
    toolBar_->addSeparator();
    toolBar_->addAction(runAction_);
    toolBar_->addSeparator();
    toolBar_->addActions({jumpToAction_, findAction_, replaceAction_, nextUntranslatedAction_});
    toolBar_->addSeparator();
    toolBar_->addActions({cutAction_, copyAction_, pasteAction_});
    toolBar_->addSeparator();
    toolBar_->addAction(helpContentsAction_);
}

bool MainWindow::helpOnMenuItem(QMenu& menu) {
    const QAction* item = menu.activeAction();
    const int context = item != nullptr ? item->property(kHelpContextProperty).toInt() : 0;
    menu.close();  // first, so that the help window comes up in front
    showHelp(helpFile(), context, this);
    return true;
}

}  // namespace tarn
