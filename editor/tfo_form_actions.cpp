// The main window's actions, menus and toolbar.
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "editor/tfo_form.h"
#include "editor/toolbar_icons.h"

namespace tarn {

namespace {

QAction* makeAction(QObject* parent, const char* caption, const QKeySequence& shortcut,
                    const char* hint) {
    auto* action = new QAction(QString::fromUtf8(caption), parent);
    action->setShortcut(shortcut);
    const QString tip = QString::fromUtf8(hint);
    action->setStatusTip(tip);
    action->setToolTip(tip.isEmpty() ? action->text() : tip);
    return action;
}

// The standard edit commands act on the focused edit box (the cell editor).
template <typename Command>
void onFocusedEdit(Command command) {
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        (edit->*command)();
    }
}

}  // namespace

void TFoForm::createActions() {
    const QStyle* s = style();
    Save = makeAction(this, "Save", Qt::Key_F2, "Save changed texts to the executable files");
    Save->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));  // image 0
    Run = makeAction(this, "Run", Qt::Key_F3, "Run translated executable file");
    Run->setIcon(s->standardIcon(QStyle::SP_MediaPlay));  // image 1
    Configure = makeAction(this, "Configure...", {}, "Set the paths of the necessary files");
    PluginLang = makeAction(this, "Set object language options...", {},
                            "Select the preferred language of Tarn when loading texts from "
                            "plugin files");
    TransObj = makeAction(this, "Translate object files...", {},
                          "Allows translating texts found in plug-in object files");
    Exit1 = makeAction(this, "E&xit", {}, "Exit the program");
    EditCut1 = makeAction(this, "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), "Cut");
    EditCut1->setIcon(cutIcon());  // image 4
    EditCopy1 = makeAction(this, "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), "Copy");
    EditCopy1->setIcon(copyIcon());  // image 5
    EditPaste1 = makeAction(this, "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), "Paste");
    EditPaste1->setIcon(pasteIcon());  // image 6
    Find = makeAction(this, "Find...", Qt::Key_F5, "Find text among strings");
    Find->setIcon(QIcon::fromTheme(QStringLiteral("edit-find"),
                                   s->standardIcon(QStyle::SP_FileDialogContentsView)));
    Replace = makeAction(this, "Replace", Qt::Key_F6, "Replace text among strings");
    Replace->setIcon(QIcon::fromTheme(QStringLiteral("edit-find-replace"),
                                      s->standardIcon(QStyle::SP_BrowserReload)));
    CopyStrings =
        makeAction(this, "Copy strings", {}, "Copy all strings from the left side to the right");
    JumpTo = makeAction(this, "Jump to...", Qt::Key_F4, "Jump to the string with the given number");
    JumpTo->setIcon(s->standardIcon(QStyle::SP_ArrowRight));
    NextUntrans =
        makeAction(this, "Next untranslated", Qt::Key_F7, "Jump to the next untranslated string");
    NextUntrans->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    CStyle = makeAction(this, "C-style strings", QKeySequence(Qt::ALT | Qt::Key_C),
                        "Toggles C-style strings");
    CStyle->setCheckable(true);
    Preview = makeAction(this, "Preview", QKeySequence(Qt::ALT | Qt::Key_P),
                         "Shows a preview of the edited text");
    Preview->setCheckable(true);
    ChangeFont = makeAction(this, "Change used font...", {}, "");
    HelpContents1 = makeAction(this, "&Contents", {}, "Shows Help contents");
    HelpContents1->setIcon(helpIcon());  // image 9
    HelpOverview = makeAction(this, "Overview", {}, "Show overview about hte program functions");
    About = makeAction(this, "About...", {}, "About Ostrel 2");

    for (QAction* a :
         {Save,      Run,        Configure,  PluginLang,    TransObj,     Exit1,  EditCut1,
          EditCopy1, EditPaste1, Find,       Replace,       CopyStrings,  JumpTo, NextUntrans,
          CStyle,    Preview,    ChangeFont, HelpContents1, HelpOverview, About}) {
        addAction(a);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    Save->setEnabled(false);

    connect(Save, &QAction::triggered, this, &TFoForm::SaveTexts);
    connect(Run, &QAction::triggered, this, &TFoForm::RunExecute);
    connect(Configure, &QAction::triggered, this, &TFoForm::ConfigureExecute);
    connect(PluginLang, &QAction::triggered, this, &TFoForm::PluginLangExecute);
    connect(TransObj, &QAction::triggered, this, &TFoForm::TransObjExecute);
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connect(EditCut1, &QAction::triggered, this, []() { onFocusedEdit(&QLineEdit::cut); });
    connect(EditCopy1, &QAction::triggered, this, []() { onFocusedEdit(&QLineEdit::copy); });
    connect(EditPaste1, &QAction::triggered, this, []() { onFocusedEdit(&QLineEdit::paste); });
    connect(Find, &QAction::triggered, this, &TFoForm::FindExecute);
    connect(Replace, &QAction::triggered, this, &TFoForm::ReplaceExecute);
    connect(CopyStrings, &QAction::triggered, this, &TFoForm::CopyStringsExecute);
    connect(JumpTo, &QAction::triggered, this, &TFoForm::JumpToExecute);
    connect(NextUntrans, &QAction::triggered, this, &TFoForm::NextUntransExecute);
    connect(CStyle, &QAction::triggered, this, &TFoForm::CStyleExecute);
    connect(Preview, &QAction::triggered, this, &TFoForm::PreviewExecute);
    connect(ChangeFont, &QAction::triggered, this, &TFoForm::ChangeFontExecute);
    connect(HelpContents1, &QAction::triggered, this, &TFoForm::HelpContentsExecute);
    connect(HelpOverview, &QAction::triggered, this, &TFoForm::HelpOverviewExecute);
    connect(About, &QAction::triggered, this, &TFoForm::AboutExecute);
}

void TFoForm::createMenusAndToolbar() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addActions({Save, Run, Configure, PluginLang, TransObj});
    file->addSeparator();
    file->addAction(Exit1);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addActions({EditCut1, EditCopy1, EditPaste1});
    QMenu* search = menuBar()->addMenu(QStringLiteral("&Search"));
    search->addActions({Find, Replace});
    QMenu* other = menuBar()->addMenu(QStringLiteral("&Other"));
    other->addActions({CopyStrings, JumpTo, NextUntrans, CStyle, Preview, ChangeFont});
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addActions({HelpContents1, HelpOverview});
    help->addSeparator();
    help->addAction(About);

    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->addAction(Save);
    ToolBar1->addSeparator();
    ToolBar1->addAction(Run);
    ToolBar1->addSeparator();
    ToolBar1->addActions({JumpTo, Find, Replace, NextUntrans});
    ToolBar1->addSeparator();
    ToolBar1->addActions({EditCut1, EditCopy1, EditPaste1});
    ToolBar1->addSeparator();
    ToolBar1->addAction(HelpContents1);
}

}  // namespace tarn
