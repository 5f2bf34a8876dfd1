// Construction, loading, the tree and closing of the object translation window.
#include "objtrans/t_obj_translate.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>

#include "objfiles/object_folder.h"
#include "objtrans/busy_guard.h"
#include "objtrans/obj_text_display.h"
#include "objtrans/obj_text_grid.h"
#include "app/widgets/prompter.h"

namespace tarn {

namespace {

constexpr int kIndexRole = Qt::UserRole;

QString storageModeName(std::uint8_t encoding) {
    switch (encoding) {
        case 0:
            return QStringLiteral("Type 0 (saved as-is)");
        case 1:
            return QStringLiteral("Type 1 (RLE compressed)");
        case 2:
            return QStringLiteral("Type 2 (?\?\?)");
        case 3:
            return QStringLiteral("Type 3 (scrambled bytes)");
        default:
            return QStringLiteral("Type %1").arg(encoding);
    }
}

QWidget* makeRootHint(QWidget* parent) {
    auto* panel = new QWidget(parent);
    auto* layout = new QVBoxLayout(panel);
    auto* label =
        new QLabel(QStringLiteral("Please select an object file from the left to proceed"), panel);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    layout->addWidget(label);
    return panel;
}

QLabel* valueLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

TObjTranslate::TObjTranslate(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ObjTranslate"));
    setWindowTitle(QStringLiteral("Texts in object files"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setMinimumSize(400, 200);
    resize(616, 411);
    createComponents();
    createPopupMenu();
}

void TObjTranslate::createComponents() {
    TreeView1 = new QTreeWidget(this);
    TreeView1->setHeaderHidden(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setUniformRowHeights(true);
    RootNode = new QTreeWidgetItem(TreeView1, {QStringLiteral("Object Files")});
    RootNode->setData(0, kIndexRole, -1);

    RootHint = makeRootHint(this);

    FileInfo = new QWidget(this);
    Filename = valueLabel(FileInfo);
    InternalID = valueLabel(FileInfo);
    DataType = valueLabel(FileInfo);
    StoreMode = valueLabel(FileInfo);
    auto* heading = new QLabel(QStringLiteral("Information about the selected file"), FileInfo);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* rows = new QFormLayout;
    rows->addRow(QStringLiteral("Filename:"), Filename);
    rows->addRow(QStringLiteral("Internal identifier:"), InternalID);
    rows->addRow(QStringLiteral("Type of contained data:"), DataType);
    rows->addRow(QStringLiteral("Storage mode:"), StoreMode);
    auto* hint = new QLabel(QStringLiteral("In order to proceed, select a text group from the "
                                           "left\r\n(click on the + sign next to the filename if "
                                           "they aren't shown currently)"),
                            FileInfo);
    hint->setWordWrap(true);
    auto* infoLayout = new QVBoxLayout(FileInfo);
    infoLayout->addWidget(heading);
    infoLayout->addLayout(rows);
    infoLayout->addSpacing(12);
    infoLayout->addWidget(hint);
    infoLayout->addStretch();

    Texts = new QWidget(this);
    StringGrid1 = new ObjTextGrid(Texts);
    auto* textsLayout = new QVBoxLayout(Texts);
    textsLayout->setContentsMargins(0, 0, 0, 0);
    textsLayout->addWidget(StringGrid1);

    RightSide = new QStackedWidget(this);
    RightSide->addWidget(RootHint);
    RightSide->addWidget(FileInfo);
    RightSide->addWidget(Texts);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->addWidget(TreeView1);
    Splitter1->addWidget(RightSide);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({182, 434});
    Splitter1->setChildrenCollapsible(false);

    Panel1 = new QWidget(this);
    Panel1->setFixedHeight(69);
    EnhRLE = new QCheckBox(
        QStringLiteral("Enhanced RLE encoding (creates slightly smaller files than the original)"),
        Panel1);
    EnhRLE->setChecked(true);
    Save = new QPushButton(QStringLiteral("Save"), Panel1);
    CreateEXE = new QPushButton(QStringLiteral("Create end-user translator executable..."), Panel1);
    CloseButton = new QPushButton(QStringLiteral("Close"), Panel1);
    for (QPushButton* b : {Save, CreateEXE, CloseButton}) {
        b->setAutoDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Save);
    buttons->addWidget(CreateEXE);
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->addWidget(EnhRLE);
    panelLayout->addLayout(buttons);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(true);
    statusLabel_ = new QLabel(StatusBar1);
    StatusBar1->addWidget(statusLabel_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Splitter1, 1);
    layout->addWidget(Panel1);
    layout->addWidget(StatusBar1);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { TreeView1Change(node); });
    connect(StringGrid1, &ObjTextGrid::editorTextChanged, this,
            &TObjTranslate::StringGrid1SetEditText);
    connect(StringGrid1, &QTableWidget::cellChanged, this, &TObjTranslate::StringGrid1CellChanged);
    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { StringGrid1CurrentCellChanged(row, column); });
    connect(StringGrid1, &ObjTextGrid::enterPressed, this, [this] {
        StringGrid1CurrentCellChanged(StringGrid1->currentRow(), StringGrid1->currentColumn());
    });
    connect(StringGrid1, &ObjTextGrid::escapePressed, this, &TObjTranslate::StringGrid1Escape);
    connect(Save, &QPushButton::clicked, this, &TObjTranslate::SaveClick);
    connect(CreateEXE, &QPushButton::clicked, this, &TObjTranslate::CreateEXEClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
}

void TObjTranslate::createPopupMenu() {
    PopupMenu1 = new QMenu(this);
    auto add = [this](const QString& caption, const QKeySequence& key, auto handler) {
        auto* action = new QAction(caption, this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, handler);
        StringGrid1->addAction(action);
        PopupMenu1->addAction(action);
        return action;
    };
    auto onEditor = [this](auto operation) {
        return [this, operation] {
            if (QLineEdit* editor = StringGrid1->cellEditor()) {
                (editor->*operation)();
            }
        };
    };
    Cut1 = add(QStringLiteral("Cu&t"), QKeySequence::Cut, onEditor(&QLineEdit::cut));
    Copy1 = add(QStringLiteral("&Copy"), QKeySequence::Copy, onEditor(&QLineEdit::copy));
    Paste1 = add(QStringLiteral("&Paste"), QKeySequence::Paste, onEditor(&QLineEdit::paste));
    PopupMenu1->addSeparator();
    NewID = add(QStringLiteral("Add new language ID"), QKeySequence(Qt::ALT | Qt::Key_Insert),
                &TObjTranslate::NewIDClick);
    DelID = add(QStringLiteral("Delete current language ID"),
                QKeySequence(Qt::ALT | Qt::Key_Delete), &TObjTranslate::DelIDClick);
    PopupMenu1->addSeparator();
    Previoustextgroup1 =
        add(QStringLiteral("Previous text group"), QKeySequence(Qt::ALT | Qt::Key_Up),
            &TObjTranslate::PreviousTextGroupClick);
    Nexttextgroup1 = add(QStringLiteral("Next text group"), QKeySequence(Qt::ALT | Qt::Key_Down),
                         &TObjTranslate::NextTextGroupClick);
    // Cut, copy and paste act on the cell editor; their shortcuts stay with it.
    for (QAction* a : {Cut1, Copy1, Paste1}) {
        StringGrid1->removeAction(a);
    }
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(pos));
    });
}

QString TObjTranslate::statusText() const {
    return statusLabel_->text();
}

void TObjTranslate::setStatus(const QString& text) {
    statusLabel_->setText(text);
    emit statusChanged(text);
}

bool TObjTranslate::anyModified() const {
    for (const ObjFile& file : Files) {
        if (file.Modified) {
            return true;
        }
    }
    return false;
}

std::filesystem::path TObjTranslate::objectFilePath(const ObjFile& file) const {
    return objData_ / file.FileName;
}

void TObjTranslate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;  // restored from the task bar: nothing to reload
    }
    RightSide->setCurrentWidget(RootHint);
    // Loading starts once the window is on screen.
    QTimer::singleShot(0, this, &TObjTranslate::LoadFiles);
}

void TObjTranslate::LoadFiles() {
    if (busy_ || !isVisible()) {
        return;
    }
    bool noFiles = false;
    try {
        busy_ = true;
        BusyGuard guard(Panel1);
        setStatus(QStringLiteral("Loading object files..."));
        QApplication::processEvents();

        const auto objData = TransExePath.isEmpty()
                                 ? std::nullopt
                                 : findObjDataFolder(TransExePath.toStdString());
        const std::vector<std::filesystem::path> paths =
            objData ? listObjectFiles(*objData) : std::vector<std::filesystem::path>{};
        if (paths.empty()) {
            noFiles = true;
        } else {
            objData_ = *objData;
            const int count = static_cast<int>(paths.size());
            Files.reserve(paths.size());
            QElapsedTimer sinceRepaint;
            sinceRepaint.start();
            for (int i = 0; i < count; ++i) {
                const QString name = QString::fromStdString(paths[i].filename().string());
                setStatus(QStringLiteral("Loading object files...   %1  (%2/%3)")
                              .arg(name)
                              .arg(i + 1)
                              .arg(count));
                // The window repaints the status line at most about 60 times a second: painting
                // it for each of thousands of small files would take longer than loading them.
                if (i == 0 || sinceRepaint.elapsed() >= 16) {
                    QApplication::processEvents();
                    sinceRepaint.restart();
                }
                Files.push_back(loadObjectFile(paths[i]));
                addFileNode(i);
            }
            setStatus(QStringLiteral("%1 files loaded successfully").arg(count));
            RootNode->setExpanded(true);
            Save->setEnabled(false);
        }
        busy_ = false;
    } catch (const std::exception& e) {
        // Loading stops at the file that failed; the files before it stay in the tree.
        busy_ = false;
        showExceptionMessage(QString::fromStdString(e.what()));
        emit filesLoaded();
        return;
    }
    emit filesLoaded();
    if (noFiles) {
        prompter().message(
            QStringLiteral("Your ObjData directory doesn't exist or contains no data files\r\n"
                           "The translated executable must be in the root of your Tarn directory "
                           "for this function to work."),
            QStringLiteral("No files found"), MessageIcon::None, MessageButtons::Ok);
        close();
    }
}

void TObjTranslate::addFileNode(int index) {
    const ObjFile& file = Files[static_cast<std::size_t>(index)];
    auto* node = new QTreeWidgetItem(RootNode, {QString::fromStdString(file.FileName)});
    node->setData(0, kIndexRole, index);
    QList<QTreeWidgetItem*> groups;
    groups.reserve(static_cast<qsizetype>(file.Texts.size()));
    for (std::size_t g = 0; g < file.Texts.size(); ++g) {
        auto* group = new QTreeWidgetItem({QStringLiteral("Text group %1").arg(g + 1)});
        group->setData(0, kIndexRole, static_cast<int>(g));
        groups.append(group);
    }
    node->addChildren(groups);
}

void TObjTranslate::TreeView1Change(QTreeWidgetItem* node) {
    currentGroup_ = -1;
    if (node == nullptr || node == RootNode) {
        RightSide->setCurrentWidget(RootHint);
        currentFile_ = -1;
        return;
    }
    if (node->parent() == RootNode) {
        currentFile_ = node->data(0, kIndexRole).toInt();
        const ObjFile& file = Files[static_cast<std::size_t>(currentFile_)];
        Filename->setText(QString::fromStdString(file.FileName));
        InternalID->setText(objTextToDisplay(std::string(file.Name.begin(), file.Name.end())));
        DataType->setText(QStringLiteral("Type %1").arg(file.objectType()));
        StoreMode->setText(storageModeName(file.Encoding));
        RightSide->setCurrentWidget(FileInfo);
        return;
    }
    showGroup(node->parent()->data(0, kIndexRole).toInt(), node->data(0, kIndexRole).toInt());
}

bool TObjTranslate::confirmClose() {
    if (!anyModified()) {
        return true;
    }
    const MessageAnswer answer = prompter().message(
        QStringLiteral("Some of your changes aren't saved yet.\r\nDo you want to save them before "
                       "closing the window?"),
        QStringLiteral("Unsaved changes"), MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes) {
        SaveClick();
        // A save that failed has been reported; the window stays open so that no edit is lost.
        return !anyModified();
    }
    return answer == MessageAnswer::No;
}

void TObjTranslate::reject() {
    if (busy_ || !confirmClose()) {
        return;
    }
    discardFiles();
    QDialog::reject();
}

void TObjTranslate::keyPressEvent(QKeyEvent* event) {
    // Esc belongs to the grid's editor; it never closes the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TObjTranslate::discardFiles() {
    filling_ = true;
    StringGrid1->setRowCount(0);
    filling_ = false;
    TreeView1->setCurrentItem(RootNode);
    qDeleteAll(RootNode->takeChildren());
    Files.clear();
    currentFile_ = -1;
    currentGroup_ = -1;
    undoText_.clear();
    RightSide->setCurrentWidget(RootHint);
    setStatus(QString());
}

}  // namespace tarn
