// SPDX-License-Identifier: GPL-3.0-or-later
// Construction, loading, the tree and closing of the object translation window.
#include "app/objects/object_texts_window.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/objects/boxed_branch_style.h"
#include "app/objects/lacking_language_bar.h"
#include "app/objects/object_file_page.h"
#include "app/objects/object_notes.h"
#include "app/objects/object_status_bar.h"
#include "app/objects/object_texts_session.h"
#include "app/objects/object_tree_model.h"
#include "app/objects/object_window_checks.h"
#include "app/objects/wrapped_hint_label.h"
#include "app/patch_builder/build_patch.h"
#include "app/patch_builder/patch_builder_dialog.h"
#include "app/widgets/busy_guard.h"
#include "app/widgets/display_text.h"
#include "app/widgets/object_names.h"
#include "app/widgets/prompter.h"
#include "app/widgets/read_only_title.h"
#include "app/widgets/text_grid_view.h"
#include "textcodes/cstyle.h"

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
    const auto status = [this](const QString& text) { setStatus(text); };
    languageIds_ = std::make_unique<LanguageIdsQuestion>(*this);
    checks_ = new ObjectWindowChecks(*session_, codePage_, *languageIds_, status, this);
    createWidgets();
    notes_ = new ObjectNotes(*session_, *groupPage_);
    spelling_ = new ObjectSpelling(groupPage_->view(), session_->groupRows(), codePage_, this);
    checks_->setMoreFindings([this](const auto& pairs) { return spelling_->findings(pairs); });
    patchBuilder_ = new PatchBuilderDialog(this);
    po_ = std::make_unique<ObjectPoExchange>(ObjectPoExchange::Parts{
        *this, *session_, notes_->notes(), codePage_, *languageIds_, groupPage_->view(), status});
    folder_ = std::make_unique<ObjectFolderGuard>(
        ObjectFolderGuard::Parts{*this, *session_, *treeModel_, status});
    connectParts();
    // The first size fits every button; the layout keeps the window from shrinking below it.
    layout()->activate();
    resize(QSize(616, 411).expandedTo(minimumSizeHint()));
}

ObjectTextsWindow::~ObjectTextsWindow() {
    delete groupPage_;
}

void ObjectTextsWindow::createWidgets() {
    objectTree_ = new QTreeView(this);
    treeModel_ = new ObjectTreeModel(document(), checks_->findings(), *style(), this);
    objectTree_->setModel(treeModel_);
    objectTree_->setHeaderHidden(true);
    objectTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    objectTree_->setUniformRowHeights(true);
    auto* branches = new BoxedBranchStyle;
    branches->setParent(objectTree_);
    objectTree_->setStyle(branches);

    rootHintPage_ = makeRootHintPage(this);
    fileInfoPage_ = new ObjectFilePage(this);
    const ObjectGridActions::Handlers handlers{[this] { undo(); },
                                               [this] { redo(); },
                                               [this] { addLanguageId(); },
                                               [this] { removeLanguageId(); },
                                               [this] { goToPreviousGroup(); },
                                               [this] { goToNextGroup(); }};
    groupPage_ = new ObjectGroupPage({*this, *session_, codePage_, handlers,
                                      [this](const QString& message) { reportRefusal(message); }});
    pages_ = new QStackedWidget(this);
    pages_->addWidget(rootHintPage_);
    pages_->addWidget(fileInfoPage_);
    pages_->addWidget(groupPage_);

    lackingLanguage_ = new LackingLanguageBar(
        {*this, *session_, *objectTree_, *treeModel_, [this](const QString& t) { setStatus(t); }});
    auto* treeSide = new QWidget(this);
    auto* treeLayout = new QVBoxLayout(treeSide);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(lackingLanguage_);
    treeLayout->addWidget(objectTree_, 1);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(treeSide);
    splitter->addWidget(pages_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({182, 434});
    splitter->setChildrenCollapsible(false);
    setObjectNames({{splitter, "splitter"},
                    {objectTree_, "objectTree"},
                    {pages_, "pages"},
                    {rootHintPage_, "rootHintPage"}});

    panel_ = new ObjectButtonPanel(*this);
    statusBar_ = new ObjectStatusBar(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter, 1);
    layout->addWidget(panel_);
    layout->addWidget(statusBar_);
}

void ObjectTextsWindow::connectParts() {
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
    connect(&panel_->saveButton(), &QPushButton::clicked, this, &ObjectTextsWindow::saveModified);
    connect(&panel_->buildPatchButton(), &QPushButton::clicked, this,
            &ObjectTextsWindow::buildPatch);
    connect(&panel_->exportPoButton(), &QPushButton::clicked, this,
            &ObjectTextsWindow::exportTranslation);
    connect(&panel_->importPoButton(), &QPushButton::clicked, this,
            &ObjectTextsWindow::importTranslation);
    connect(&panel_->checksButton(), &QPushButton::clicked, checks_,
            &ObjectWindowChecks::chooseCheckedIds);
    connect(&panel_->closeButton(), &QPushButton::clicked, this, &QWidget::close);
    // The marks are read from the findings as they are drawn.
    connect(checks_, &ObjectWindowChecks::findingsChanged, treeModel_,
            &ObjectTreeModel::marksChanged);
    connect(session_, &GameTextsSession::changeRefused, this, &ObjectTextsWindow::showRefusal);
    connect(session_, &GameTextsSession::modifiedChanged, this,
            &ObjectTextsWindow::updateSaveButton);
    connect(session_, &GameTextsSession::loaded, this, &ObjectTextsWindow::updateSaveButton);
    connect(session_, &GameTextsSession::readOnlyChanged, this, &ObjectTextsWindow::showReadOnly);
    connect(spelling_, &ObjectSpelling::findingsOutdated, checks_, &ObjectWindowChecks::checkSoon);
    connect(this, &ObjectTextsWindow::filesLoaded, lackingLanguage_,
            &LackingLanguageBar::applyFilter);
}

void ObjectTextsWindow::setPrimaryLanguageId(int id) {
    languageIds_->setPrimaryLanguageId(id);
    groupPage_->proposeLanguageId(id);
    lackingLanguage_->setLanguageId(id);
}

const ObjectTextsDocument& ObjectTextsWindow::document() const {
    return session_->document();
}

ObjectTextsDocument& ObjectTextsWindow::document() {
    return session_->stepTarget();
}

int ObjectTextsWindow::currentGroup() const {
    return session_->groupRows().group();
}

bool ObjectTextsWindow::isReadOnly() const {
    return session_->isReadOnly();
}

Notation ObjectTextsWindow::notation() const {
    return session_->groupRows().notation();
}

QString ObjectTextsWindow::statusText() const {
    return statusBar_->text();
}

void ObjectTextsWindow::reportRefusal(const QString& message) {
    if (!message.isEmpty()) {  // a malformed text only beeps
        setStatus(message);
    }
}

void ObjectTextsWindow::setStatus(const QString& text) {
    statusBar_->setText(text);
    statusBar_->setToolTip(QString());  // a created program's name goes with its status only
    emit statusChanged(text);
}

void ObjectTextsWindow::updateSaveButton() {
    panel_->saveButton().setEnabled(!isReadOnly() && session_->isModified());
    setWindowModified(session_->isModified());
}

void ObjectTextsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;  // restored from the task bar: nothing to reload
    }
    // Shown again where it was left, and its placement stored even when never moved.
    setAttribute(Qt::WA_Moved, true);
    pages_->setCurrentWidget(rootHintPage_);
    folder_->startListing();
    // Loading starts once the window is on screen.
    QTimer::singleShot(0, this, &ObjectTextsWindow::loadFiles);
}

void ObjectTextsWindow::loadFiles() {
    if (busy_ || !isVisible()) {
        return;
    }
    ObjectFolderGuard::LoadOutcome outcome;
    {
        busy_ = true;
        BusyGuard guard(panel_);
        outcome = folder_->load();
        if (outcome.loaded) {
            objectTree_->expand(treeModel_->rootNode());
        }
        busy_ = false;
    }
    if (!outcome.problems.empty()) {
        // The files that could be read stay in the tree and can be edited.
        showExceptionMessage(outcome.problems);
    }
    folder_->showUnfinishedSave();
    emit filesLoaded();
    if (outcome.noFiles && outcome.problems.empty()) {
        prompter().message(
            QStringLiteral("Your ObjData directory doesn't exist or contains no data files\r\n"
                           "The translated executable must be in the root of your Tarn directory "
                           "for this function to work."),
            QStringLiteral("No files found"), MessageIcon::None, MessageButtons::Ok);
        close();
    }
}

void ObjectTextsWindow::showNode(const QModelIndex& node) {
    if (currentGroup() >= 0 && !treeModel_->isGroupNode(node)) {
        groupPage_->view().closeCellEditor();
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
        const ObjectFile& file = document().file(static_cast<std::size_t>(currentFile_));
        fileInfoPage_->showFile(file, codePage_);
        pages_->setCurrentWidget(fileInfoPage_);
        if (const QString damage = treeModel_->problemOf(node); !damage.isEmpty()) {
            setStatus(damage);
        }
        return;
    }
    showGroup(treeModel_->fileOf(node.parent()), node.row());
}

void ObjectTextsWindow::showGroup(int file, int group) {
    pages_->setCurrentWidget(groupPage_);
    currentFile_ = file;
    groupPage_->showGroup(file, group);
    checks_->showGroupFindings();
}

void ObjectTextsWindow::stepTextGroup(bool forward) {
    const QModelIndex node =
        lackingLanguage_->stepToShownGroup(objectTree_->currentIndex(), forward);
    if (!node.isValid()) {
        prompter().beep();
        return;
    }
    objectTree_->setCurrentIndex(node);
    objectTree_->scrollTo(node);
}

QString ObjectTextsWindow::displayText(const std::string& bytes) const {
    return gameBytesToDisplay(notation() == Notation::CStyle ? rawToCStyle(bytes) : bytes,
                              codePage_);
}

void ObjectTextsWindow::setCodePage(const CodePage& codePage) {
    if (codePage == codePage_) {
        return;
    }
    // An open editor closes while its characters still read as before.
    groupPage_->view().closeCellEditor();
    codePage_ = codePage;
    groupPage_->refresh();
    if (currentGroup() < 0 && currentFile_ >= 0) {
        showNode(objectTree_->currentIndex());
    }
    checks_->checkSoon();  // the checks read the bytes' characters in the page
}

void ObjectTextsWindow::setNotation(Notation notation) {
    groupPage_->view().closeCellEditor();
    session_->setNotation(notation);
}

void ObjectTextsWindow::addLanguageId() {
    if (currentGroup() >= 0 && !refusedAsReadOnly()) {
        groupPage_->addLanguageId();
    }
}

void ObjectTextsWindow::removeLanguageId() {
    if (currentGroup() >= 0 && !refusedAsReadOnly()) {
        groupPage_->removeLanguageId();
    }
}

void ObjectTextsWindow::stepHistory(bool back) {
    if (!busy_) {
        groupPage_->stepHistory(back);
    }
}

void ObjectTextsWindow::saveModified() {
    if (refusedAsReadOnly() || !checkCurrentCell() || !folder_->mayWrite()) {
        return;
    }
    ObjectSaveReport report;
    {
        busy_ = true;
        BusyGuard guard(panel_);
        report = folder_->save(panel_->enhancedRle());
        busy_ = false;
    }
    folder_->showSaveReport(report);
}

void ObjectTextsWindow::buildPatch() {
    busy_ = true;
    createEndUserExecutable(
        *patchBuilder_, document().files(),
        {panel_, carriedProgram_, [this](const QString& text) { setStatus(text); },
         [this](const QString& file) { statusBar_->setToolTip(file); }});
    busy_ = false;
}

void ObjectTextsWindow::exportTranslation() {
    if (!busy_ && !document().files().empty()) {
        po_->exportTranslation();
    }
}

void ObjectTextsWindow::importTranslation() {
    if (!busy_ && !document().files().empty() && !refusedAsReadOnly()) {
        po_->importTranslation();
    }
}

bool ObjectTextsWindow::unsaved() const {
    // The files, and the notes kept beside them.
    return document().anyModified() || session_->isModified();
}

bool ObjectTextsWindow::confirmClose() {
    if (!unsaved()) {
        return true;
    }
    const MessageAnswer answer = prompter().message(
        QStringLiteral("Some of your changes aren't saved yet.\r\nDo you want to save them before "
                       "closing the window?"),
        QStringLiteral("Unsaved changes"), MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes) {
        saveModified();
        // A save that failed has been reported; the window stays open so that no edit is lost.
        return !unsaved();
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

void ObjectTextsWindow::showReadOnly() {
    // The actions that change texts; what slips past them is refused where steps are taken.
    groupPage_->setReadOnly(isReadOnly());
    panel_->importPoButton().setEnabled(!isReadOnly());
    updateSaveButton();
    showReadOnlyInTitle(*this, QStringLiteral("Texts in object files"), isReadOnly());
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
    groupPage_->view().closeCellEditor();
    objectTree_->setCurrentIndex(treeModel_->rootNode());
    treeModel_->clear();
    session_->clear();
    folder_->release();
    currentFile_ = -1;
    pages_->setCurrentWidget(rootHintPage_);
    setStatus(QString());
}

}  // namespace tarn
