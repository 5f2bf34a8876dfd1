// SPDX-License-Identifier: GPL-3.0-or-later
// Construction, loading, the tree and closing of the object translation window.
#include "app/objects/object_texts_window.h"

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
#include <QStringList>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "app/objects/boxed_branch_style.h"
#include "app/objects/new_language_id_dialog.h"
#include "app/objects/object_file_page.h"
#include "app/objects/object_grid_actions.h"
#include "app/objects/object_texts_session.h"
#include "app/objects/one_line_holder.h"
#include "app/objects/wrapped_hint_label.h"
#include "app/patch_builder/patch_builder_dialog.h"
#include "app/preview/format_code_menu.h"
#include "app/preview/session_text_grid.h"
#include "app/widgets/busy_guard.h"
#include "app/widgets/cell_rules.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/grid_text.h"
#include "app/widgets/object_names.h"
#include "app/widgets/paste_guard.h"
#include "app/widgets/prompter.h"
#include "app/widgets/text_grid_view.h"
#include "common/code_page_choice.h"
#include "objfiles/object_folder.h"

namespace tarn {

namespace {

QWidget* makeRootHintPage(QWidget* parent) {
    auto* panel = new QWidget(parent);
    auto* layout = new QVBoxLayout(panel);
    auto* label = new WrappedHintLabel(
        QStringLiteral("Please select an object file from the left to proceed"), panel);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return panel;
}

}  // namespace

ObjectTextsWindow::ObjectTextsWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("objectTextsWindow"));
    // "[*]" shows the window-modified marker while a file has unsaved edits.
    setWindowTitle(QStringLiteral("Texts in object files[*]"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    session_ = new ObjectTextsSession(this);
    createWidgets();
    createGridActions();
    newLanguageIdDialog_ = new NewLanguageIdDialog(this);
    patchBuilder_ = new PatchBuilderDialog(this);
    nameParts();
    // The first size fits every button; the layout keeps the window from shrinking below it.
    layout()->activate();
    resize(QSize(616, 411).expandedTo(minimumSizeHint()));
}

void ObjectTextsWindow::nameParts() {
    setObjectNames({
        {splitter_, "splitter"},
        {objectTree_, "objectTree"},
        {pages_, "pages"},
        {rootHintPage_, "rootHintPage"},
        {groupTextsPage_, "groupTextsPage"},
        {textGrid_, "textGrid"},
        {buttonPanel_, "buttonPanel"},
        {enhancedRleCheck_, "enhancedRleCheck"},
        {saveButton_, "saveButton"},
        {buildPatchButton_, "buildPatchButton"},
        {exportPoButton_, "objectExportPoButton"},
        {importPoButton_, "objectImportPoButton"},
        {checksButton_, "checksButton"},
        {closeButton_, "closeButton"},
        {statusBar_, "statusBar"},
        {statusLabel_, "statusLabel"},
    });
}

void ObjectTextsWindow::createWidgets() {
    objectTree_ = new QTreeView(this);
    treeModel_ = new ObjectTreeModel(document(), findings_, *style(), this);
    objectTree_->setModel(treeModel_);
    objectTree_->setHeaderHidden(true);
    objectTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    objectTree_->setUniformRowHeights(true);
    auto* branches = new BoxedBranchStyle;
    branches->setParent(objectTree_);
    objectTree_->setStyle(branches);

    rootHintPage_ = makeRootHintPage(this);

    fileInfoPage_ = new ObjectFilePage(this);

    groupTextsPage_ = new QWidget(this);
    createGrid();
    auto* textsLayout = new QVBoxLayout(groupTextsPage_);
    textsLayout->setContentsMargins(0, 0, 0, 0);
    textsLayout->addWidget(textGrid_);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(rootHintPage_);
    pages_->addWidget(fileInfoPage_);
    pages_->addWidget(groupTextsPage_);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->addWidget(objectTree_);
    splitter_->addWidget(pages_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({182, 434});
    splitter_->setChildrenCollapsible(false);

    buttonPanel_ = new QWidget(this);
    enhancedRleCheck_ = new QCheckBox(
        QStringLiteral("Enhanced RLE encoding (creates slightly smaller files than the original)"),
        buttonPanel_);
    enhancedRleCheck_->setChecked(true);
    saveButton_ = new QPushButton(QStringLiteral("Save"), buttonPanel_);
    // The desktop's save key, as in the main window: it clicks Save at once while Save is
    // enabled (a button's own shortcut would click it only after its animation).
    auto* saveKey = new QAction(this);
    saveKey->setShortcut(QKeySequence::Save);
    saveKey->setShortcutContext(Qt::WindowShortcut);
    addAction(saveKey);
    connect(saveKey, &QAction::triggered, saveButton_, [this] {
        if (saveButton_->isEnabled()) {
            saveButton_->click();
        }
    });
    saveButton_->setToolTip(
        QStringLiteral("Save (%1)").arg(saveKey->shortcut().toString(QKeySequence::NativeText)));
    buildPatchButton_ =
        new QPushButton(QStringLiteral("Create end-user translator executable..."), buttonPanel_);
    closeButton_ = new QPushButton(QStringLiteral("Close"), buttonPanel_);
    createPoButtons();
    createChecks();
    for (QPushButton* b : {saveButton_, buildPatchButton_, exportPoButton_, importPoButton_,
                           checksButton_, closeButton_}) {
        b->setAutoDefault(false);
    }
    // A row each for the saving option, the end-user program and the file commands: no two of
    // the long captions share a row, so the smallest window stays narrow enough for a laptop's
    // screen even with a large font.
    auto* options = new QHBoxLayout;
    options->addWidget(enhancedRleCheck_);
    options->addStretch();
    auto* builder = new QHBoxLayout;
    builder->addWidget(buildPatchButton_);
    builder->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton_);
    buttons->addWidget(exportPoButton_);
    buttons->addWidget(importPoButton_);
    buttons->addWidget(checksButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* panelLayout = new QVBoxLayout(buttonPanel_);
    panelLayout->addLayout(options);
    panelLayout->addLayout(builder);
    panelLayout->addLayout(buttons);

    statusBar_ = new QStatusBar(this);
    statusBar_->setSizeGripEnabled(true);
    statusLabel_ = new QLabel(statusBar_);
    statusBar_->addWidget(new OneLineHolder(*statusLabel_), 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter_, 1);
    layout->addWidget(buttonPanel_);
    layout->addWidget(statusBar_);

    connect(objectTree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& node, const QModelIndex& previous) {
                if (stayingOnNode_) {
                    return;
                }
                // A text that does not convert keeps its group shown until it is corrected.
                if (previous.isValid() && !checkCurrentCell()) {
                    stayingOnNode_ = true;
                    objectTree_->setCurrentIndex(previous);
                    stayingOnNode_ = false;
                    return;
                }
                showNode(node);
            });
    connect(saveButton_, &QPushButton::clicked, this, &ObjectTextsWindow::saveModified);
    connect(buildPatchButton_, &QPushButton::clicked, this, &ObjectTextsWindow::buildPatch);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
}

void ObjectTextsWindow::createGridActions() {
    textGridForMenus_ = std::make_unique<SessionTextGrid>(
        SessionTextGrid::Parts{*textGrid_, *model_, *session_, *cellRules_, codePage_,
                               [this](const QString& message) { reportRefusal(message); }});
    gridActions_ =
        new ObjectGridActions(*this, *textGrid_, session_->stack(), *textGridForMenus_,
                              {[this] { undo(); }, [this] { redo(); }, [this] { addLanguageId(); },
                               [this] { removeLanguageId(); }, [this] { goToPreviousGroup(); },
                               [this] { goToNextGroup(); }});
}

QString ObjectTextsWindow::statusText() const {
    return statusLabel_->text();
}

void ObjectTextsWindow::reportRefusal(const QString& message) {
    if (!message.isEmpty()) {  // a malformed text only beeps
        setStatus(message);
    }
}

void ObjectTextsWindow::setStatus(const QString& text) {
    statusLabel_->setText(text);
    emit statusChanged(text);
}

bool ObjectTextsWindow::enhancedRle() const {
    return enhancedRleCheck_->isChecked();
}

void ObjectTextsWindow::setEnhancedRle(bool enhanced) {
    enhancedRleCheck_->setChecked(enhanced);
}

void ObjectTextsWindow::updateSaveButton() {
    saveButton_->setEnabled(!isReadOnly() && session_->isModified());
    setWindowModified(session_->isModified());
}

void ObjectTextsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;  // restored from the task bar: nothing to reload
    }
    pages_->setCurrentWidget(rootHintPage_);
    startListing();
    // Loading starts once the window is on screen.
    QTimer::singleShot(0, this, &ObjectTextsWindow::loadFiles);
}

void ObjectTextsWindow::startListing() {
    // Listing a folder of thousands of files takes a few milliseconds that the other core can
    // spend while this one lays out and paints the window.
    std::optional<std::filesystem::path> executable;
    if (!translatedExecutable_.isEmpty()) {
        executable = toFilePath(translatedExecutable_);
    }
    listing_ = std::async(std::launch::async, [executable = std::move(executable)] {
        FolderListing listing;
        if (executable) {
            listing.objData = findObjDataFolder(*executable);
        }
        if (listing.objData) {
            listing.files = listObjectFiles(*listing.objData);
        }
        return listing;
    });
}

ObjectTextsWindow::FolderListing ObjectTextsWindow::takeListing() {
    if (!listing_.valid()) {
        startListing();
    }
    return listing_.get();  // a listing error is raised here
}

void ObjectTextsWindow::loadFiles() {
    if (busy_ || !isVisible()) {
        return;
    }
    bool noFiles = false;
    QStringList problems;  // the files that could not be read, each with its reason
    try {
        busy_ = true;
        BusyGuard guard(buttonPanel_);
        setStatus(QStringLiteral("Loading object files..."));
        QApplication::processEvents();

        const FolderListing listing = takeListing();
        const std::optional<std::filesystem::path>& objData = listing.objData;
        const std::vector<std::filesystem::path>& paths = listing.files;
        if (paths.empty()) {
            noFiles = true;
        } else {
            lockFolder(*objData);
            treeModel_->clear();  // before the document's files change under it
            QElapsedTimer sinceRepaint;
            sinceRepaint.start();
            const std::vector<std::string> failed = session_->load(
                *objData, paths, [&](std::size_t i, std::size_t count, const std::string& name) {
                    // The status line is set and painted at most about 60 times a second:
                    // doing it for each of thousands of small files would take longer than
                    // loading them.
                    if (i != 0 && sinceRepaint.elapsed() < 16) {
                        return;
                    }
                    setStatus(QStringLiteral("Loading object files...   %1  (%2/%3)")
                                  .arg(QString::fromStdString(name))
                                  .arg(i + 1)
                                  .arg(count));
                    QApplication::processEvents();
                    sinceRepaint.restart();
                });
            // Named as the tree names them: by file name, the folder is the game's ObjData.
            const std::string folder = pathToUtf8(*objData / "");
            for (const std::string& problem : failed) {
                problems.append(QString::fromStdString(
                    problem.rfind(folder, 0) == 0 ? problem.substr(folder.size()) : problem));
            }
            fillTree(paths, failed);
            setStatus(
                QStringLiteral("%1 files loaded successfully").arg(document().files().size()));
            objectTree_->expand(treeModel_->rootNode());
        }
        busy_ = false;
    } catch (const std::exception& e) {
        fillTree({}, {});
        busy_ = false;
        problems.append(QString::fromStdString(e.what()));
    }
    if (!problems.isEmpty()) {
        // The files that could be read stay in the tree and can be edited.
        showExceptionMessage(problems.join(QLatin1Char('\n')));
    }
    showUnfinishedSave();
    emit filesLoaded();
    if (noFiles && problems.isEmpty()) {
        prompter().message(
            QStringLiteral("Your ObjData directory doesn't exist or contains no data files\r\n"
                           "The translated executable must be in the root of your Tarn directory "
                           "for this function to work."),
            QStringLiteral("No files found"), MessageIcon::None, MessageButtons::Ok);
        close();
    }
}

void ObjectTextsWindow::showUnfinishedSave() {
    const std::optional<UnfinishedSave>& save = document().unfinishedSave();
    if (!save) {
        return;
    }
    QStringList lines;
    for (const std::string& line :
         unfinishedSaveLines(*save, pathToUtf8(document().folder().filename()), kNamesShown)) {
        lines.append(QString::fromStdString(line));
    }
    prompter().message(lines.join(QLatin1Char('\n')), QStringLiteral("Unfinished save"),
                       MessageIcon::Warning, MessageButtons::Ok);
}

void ObjectTextsWindow::fillTree(const std::vector<std::filesystem::path>& paths,
                                 const std::vector<std::string>& problems) {
    // Each problem starts with its file's path; the damaged files take their places in the
    // listing between the files that loaded.
    std::vector<ObjectTreeModel::DamagedFile> damaged;
    if (!problems.empty()) {
        for (int row = 0; const std::filesystem::path& path : paths) {
            const std::string prefix = pathToUtf8(path) + ":";
            const auto problem = std::find_if(problems.begin(), problems.end(), [&](const auto& p) {
                return p.rfind(prefix, 0) == 0;
            });
            if (problem != problems.end()) {
                damaged.push_back(
                    {row, fromFilePath(path.filename()),
                     QString::fromStdString(pathToUtf8(path.filename()) +
                                            problem->substr(pathToUtf8(path).size()))});
            }
            ++row;
        }
    }
    // Thousands of files go in as one insertion: the model makes a node's text only when the
    // view shows it.
    treeModel_->clear();
    treeModel_->fill(document().files().size(), std::move(damaged));
}

void ObjectTextsWindow::showNode(const QModelIndex& node) {
    if (currentGroup() >= 0 && !treeModel_->isGroupNode(node)) {
        textGrid_->closeCellEditor();
        session_->showGroup(-1, -1);
    }
    if (!treeModel_->isFileNode(node) && !treeModel_->isGroupNode(node)) {
        pages_->setCurrentWidget(rootHintPage_);
        currentFile_ = -1;
        return;
    }
    if (treeModel_->isDamagedFile(node)) {
        pages_->setCurrentWidget(rootHintPage_);
        currentFile_ = -1;
        setStatus(treeModel_->problemOf(node));
        return;
    }
    if (treeModel_->isFileNode(node)) {
        currentFile_ = treeModel_->fileOf(node);
        const ObjFile& file = document().file(static_cast<std::size_t>(currentFile_));
        fileInfoPage_->showFile(file, codePage_);
        pages_->setCurrentWidget(fileInfoPage_);
        if (const QString damage = treeModel_->problemOf(node); !damage.isEmpty()) {
            setStatus(damage);
        }
        return;
    }
    showGroup(treeModel_->fileOf(node.parent()), node.row());
}

bool ObjectTextsWindow::confirmClose() {
    if (!document().anyModified()) {
        return true;
    }
    const MessageAnswer answer = prompter().message(
        QStringLiteral("Some of your changes aren't saved yet.\r\nDo you want to save them before "
                       "closing the window?"),
        QStringLiteral("Unsaved changes"), MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes) {
        saveModified();
        // A save that failed has been reported; the window stays open so that no edit is lost.
        return !document().anyModified();
    }
    return answer == MessageAnswer::No;
}

void ObjectTextsWindow::reject() {
    if (busy_ || !confirmClose()) {
        return;
    }
    discardFiles();
    QDialog::reject();
}

void ObjectTextsWindow::lockFolder(const std::filesystem::path& objData) {
    lock_.reset();
    LockHolder holder;
    lock_ = EditLock::take(folderLockTarget(objData), "TarnEdit", holder);
    session_->setReadOnly(!lock_);
    if (isReadOnly()) {
        prompter().message(QString::fromStdString(objData.filename().string()) +
                               QStringLiteral(" is open in ") +
                               QString::fromStdString(describeHolder(holder)) +
                               QStringLiteral(".\n\rIts texts are shown read-only."),
                           windowTitle(), MessageIcon::Information, MessageButtons::Ok);
    }
}

void ObjectTextsWindow::showReadOnly() {
    // The commands that change texts; what slips past them is refused where steps are taken.
    gridActions_->setReadOnly(isReadOnly());
    importPoButton_->setEnabled(!isReadOnly());
    updateSaveButton();
}

void ObjectTextsWindow::showRefusal() {
    setStatus(QStringLiteral("The object files are open read-only: nothing was changed."));
}

bool ObjectTextsWindow::refusedAsReadOnly() {
    if (isReadOnly()) {
        showRefusal();
    }
    return isReadOnly();
}

void ObjectTextsWindow::keyPressEvent(QKeyEvent* event) {
    // Esc belongs to the grid's editor; it never closes the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ObjectTextsWindow::discardFiles() {
    textGrid_->closeCellEditor();
    objectTree_->setCurrentIndex(treeModel_->rootNode());
    treeModel_->clear();
    session_->clear();
    lock_.reset();
    session_->setReadOnly(false);
    currentFile_ = -1;
    pages_->setCurrentWidget(rootHintPage_);
    setStatus(QString());
}

}  // namespace tarn
