// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/main_actions.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>

#include "app/main/toolbar_icons.h"
#include "app/widgets/paste_guard.h"
#include "app/widgets/po_prompts.h"

namespace tarn {

namespace {

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

// A PO command: its caption names the file kind.
QAction* makePoAction(QObject* parent, const char* name, const QString& caption, const char* hint) {
    auto* action = new QAction(caption + QStringLiteral("..."), parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(QString::fromUtf8(hint));
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

MainActions::MainActions(QMainWindow& window, const QUndoStack& stack)
    : QObject(&window), window_(window) {
    QObject* w = &window;
    const QStyle* s = window.style();
    save = makeAction(w, "saveAction", "Save", Qt::Key_F2,
                      "Save changed texts to the executable files");
    save->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    run = makeAction(w, "runAction", "Run", Qt::Key_F3, "Run translated executable file");
    run->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
    paths =
        makeAction(w, "pathsAction", "Configure...", {}, "Set the paths of the necessary files");
    objectLanguage =
        makeAction(w, "objectLanguageAction", "Set object language options...", {},
                   "Select the preferred language of Tarn when loading texts from plugin files");
    objectTexts = makeAction(w, "objectTextsAction", "Translate object files...", {},
                             "Allows translating texts found in plug-in object files");
    grow = makeAction(w, "growAction", "Let the executable grow when the texts do not fit", {},
                      "Put the texts that do not fit into a section added to the translated "
                      "executable");
    grow->setCheckable(true);
    exit = makeAction(w, "exitAction", "E&xit", {}, "Exit the program");
    undo = makeAction(w, "undoAction", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z),
                      "Undo the last change of the texts");
    redo = makeAction(w, "redoAction", "Redo", QKeySequence(Qt::CTRL | Qt::Key_Y),
                      "Redo the change undone last");
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    cut = makeAction(w, "cutAction", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), "Cut");
    cut->setIcon(cutIcon());
    copy = makeAction(w, "copyAction", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), "Copy");
    copy->setIcon(copyIcon());
    paste = makeAction(w, "pasteAction", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), "Paste");
    paste->setIcon(pasteIcon());
    find = makeAction(w, "findAction", "Find...", Qt::Key_F5, "Find text among strings");
    find->setIcon(QIcon::fromTheme(QStringLiteral("edit-find"),
                                   s->standardIcon(QStyle::SP_FileDialogContentsView)));
    replace = makeAction(w, "replaceAction", "Replace", Qt::Key_F6, "Replace text among strings");
    replace->setIcon(QIcon::fromTheme(QStringLiteral("edit-find-replace"),
                                      s->standardIcon(QStyle::SP_BrowserReload)));
    copyTexts = makeAction(w, "copyTextsAction", "Cop&y strings", {},
                           "Copy all strings from the left side to the right");
    jumpTo = makeAction(w, "jumpToAction", "&Jump to...", Qt::Key_F4,
                        "Jump to the string with the given number");
    jumpTo->setIcon(s->standardIcon(QStyle::SP_ArrowRight));
    nextUntranslated = makeAction(w, "nextUntranslatedAction", "&Next untranslated", Qt::Key_F7,
                                  "Jump to the next untranslated string");
    nextUntranslated->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    notation = makeAction(w, "notationAction", "&C-style strings",
                          QKeySequence(Qt::ALT | Qt::Key_C), "Toggles C-style strings");
    notation->setCheckable(true);
    preview = makeAction(w, "previewAction", "&Preview", QKeySequence(Qt::ALT | Qt::Key_P),
                         "Shows a preview of the edited text");
    preview->setCheckable(true);
    font = makeAction(w, "fontAction", "Change used &font...", {}, "");
    characterTable = makeAction(w, "characterTableAction", "Character &table...", {},
                                "Place letters the code page lacks on bytes the game draws");
    helpContents = makeAction(w, "helpContentsAction", "&Contents", {}, "Shows Help contents");
    helpContents->setIcon(helpIcon());
    helpOverview = makeAction(w, "helpOverviewAction", "Overview", {},
                              "Show overview about hte program functions");
    about = makeAction(w, "aboutAction", "About...", {}, "About Ostrel 2");
    exportPo = makePoAction(w, "exportPoAction", exportPoCaption(),
                            "Write the texts as a PO file for translation tools");
    importPo = makePoAction(w, "importPoAction", importPoCaption(),
                            "Take the translations of a PO file into the translated texts");

    // The guide's section for F1 on a highlighted menu item.
    for (const auto& [action, context] :
         {std::pair{save, 6}, std::pair{run, 6}, std::pair{paths, 5}, std::pair{copyTexts, 8},
          std::pair{notation, 3}}) {
        action->setProperty(kHelpContextProperty, context);
    }

    addDesktopShortcut(save, QKeySequence(Qt::CTRL | Qt::Key_S));
    addDesktopShortcut(find, QKeySequence(Qt::CTRL | Qt::Key_F));
    addDesktopShortcut(replace, QKeySequence(Qt::CTRL | Qt::Key_H));
    addDesktopShortcut(jumpTo, QKeySequence(Qt::CTRL | Qt::Key_G));
    helpContents->setShortcut(Qt::Key_F1);

    for (QAction* a : {save,         run,          paths,  objectLanguage,
                       objectTexts,  exit,         undo,   redo,
                       cut,          copy,         paste,  find,
                       replace,      copyTexts,    jumpTo, nextUntranslated,
                       notation,     preview,      font,   characterTable,
                       helpContents, helpOverview, about}) {
        window.addAction(a);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    save->setEnabled(false);

    connect(exit, &QAction::triggered, &window, &QWidget::close);
    connect(cut, &QAction::triggered, this, []() { onFocusedEdit(&QLineEdit::cut); });
    connect(copy, &QAction::triggered, this, []() { onFocusedEdit(&QLineEdit::copy); });
    connect(paste, &QAction::triggered, this, [] {
        if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            pasteWhole(*edit);
        }
    });
    // The menu names the step: "Undo Replace All (412 texts)".
    connect(&stack, &QUndoStack::indexChanged, this, [this, &stack] { nameSteps(stack); });
    connect(&stack, &QUndoStack::cleanChanged, this, [this, &stack] { nameSteps(stack); });
    connect(&stack, &QUndoStack::undoTextChanged, this, [this, &stack] { nameSteps(stack); });
    nameSteps(stack);
}

void MainActions::nameSteps(const QUndoStack& stack) {
    undo->setEnabled(stack.canUndo());
    redo->setEnabled(stack.canRedo());
    undo->setText(stack.canUndo() ? QStringLiteral("Undo ") + stack.undoText()
                                  : QStringLiteral("Undo"));
    // A menu shows an action's first key only: the text names both of Redo's after a tab.
    redo->setText(
        (stack.canRedo() ? QStringLiteral("Redo ") + stack.redoText() : QStringLiteral("Redo")) +
        QChar('\t') + QKeySequence::listToString(redo->shortcuts(), QKeySequence::NativeText));
}

void MainActions::buildMenusAndToolbar(QAction* checks, QAction* nextFinding, QObject* helpFilter) {
    QMenuBar* bar = window_.menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addActions({save, run, paths, objectLanguage, objectTexts});
    file->addSeparator();
    file->addAction(grow);
    file->addSeparator();
    file->addActions({exportPo, importPo});
    file->addSeparator();
    recentMenu = file->addMenu(QStringLiteral("Recent &translations"));
    recentMenu->setObjectName(QStringLiteral("recentTranslationsMenu"));
    file->addSeparator();
    file->addAction(exit);
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addActions({undo, redo});
    edit->addSeparator();
    edit->addActions({cut, copy, paste});
    QMenu* search = bar->addMenu(QStringLiteral("&Search"));
    search->addActions({find, replace});
    QMenu* other = bar->addMenu(QStringLiteral("&Other"));
    other->addActions(
        {copyTexts, jumpTo, nextUntranslated, notation, preview, font, characterTable});
    other->addActions({checks, nextFinding});
    otherMenu = other;
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addActions({helpContents, helpOverview});
    help->addSeparator();
    help->addAction(about);
    for (QMenu* menu : {file, edit, search, other, help}) {
        menu->installEventFilter(helpFilter);
    }

    QToolBar* toolBar = window_.addToolBar(QStringLiteral("Toolbar"));
    toolBar->setObjectName(QStringLiteral("mainToolBar"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addAction(save);
    toolBar->addSeparator();
    toolBar->addAction(run);
    toolBar->addSeparator();
    toolBar->addActions({jumpTo, find, replace, nextUntranslated});
    toolBar->addSeparator();
    toolBar->addActions({cut, copy, paste});
    toolBar->addSeparator();
    toolBar->addAction(helpContents);
}

}  // namespace tarn
