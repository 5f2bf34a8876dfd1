// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/patch_builder/patch_builder_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QSysInfo>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/widgets/file_dialog_options.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/lang_id_edit.h"
#include "app/widgets/object_names.h"
#include "app/widgets/prompter.h"
#include "common/file_io.h"
#include "enduser/yes_set.h"

namespace tarn {

namespace {

QLabel* explanation(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setContentsMargins(18, 0, 0, 6);
    return label;
}

// The name of the system the native end-user program runs on.
QString nativeSystemName() {
    const QString kernel = QSysInfo::kernelType();
    if (kernel == QStringLiteral("linux")) {
        return QStringLiteral("Linux");
    }
    if (kernel == QStringLiteral("darwin")) {
        return QStringLiteral("macOS");
    }
    if (kernel == QStringLiteral("winnt")) {
        return QStringLiteral("This system");
    }
    return kernel;
}

}  // namespace

PatchBuilderDialog::PatchBuilderDialog(QWidget* parent)
    : QDialog(parent),
      pages_(new QTabWidget(this)),
      createButton_(new QPushButton(QStringLiteral("Create executable"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("patchBuilderDialog"));
    setWindowTitle(QStringLiteral("End-user translator executable settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    createOptionsPage();
    createTextsPage();
    nameParts();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(createButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    setFixedSize(460, 480);

    createButton_->setDefault(true);
    connect(createButton_, &QPushButton::clicked, this, &PatchBuilderDialog::chooseFileAndAccept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    connect(windowsTargetRadio_, &QRadioButton::toggled, this, &PatchBuilderDialog::followTarget);
}

QFileDialog& PatchBuilderDialog::saveFileDialog() {
    // Made when first asked for: a file dialog lists its folder and watches it from the moment it
    // exists, work that would otherwise compete with whatever the windows are loading.
    if (saveFileDialog_ == nullptr) {
        saveFileDialog_ = new QFileDialog(this);
        saveFileDialog_->setObjectName(QStringLiteral("saveFileDialog"));
        saveFileDialog_->setWindowTitle(QStringLiteral("Saving end-user translator"));
        saveFileDialog_->setAcceptMode(QFileDialog::AcceptSave);
        saveFileDialog_->setFileMode(QFileDialog::AnyFile);
        // The overwrite and read-only questions go through the prompter (confirmTarget).
        saveFileDialog_->setOptions(systemFileDialogOptions() | QFileDialog::DontConfirmOverwrite);
        followTarget();
    }
    return *saveFileDialog_;
}

void PatchBuilderDialog::nameParts() {
    setObjectNames({
        {pages_, "pages"},
        {optionsPage_, "optionsPage"},
        {allTextsRadio_, "allTextsRadio"},
        {oneIdRadio_, "oneIdRadio"},
        {idEdit_, "idEdit"},
        {idUpDown_, "idUpDown"},
        {enhancedRleCheck_, "enhancedRleCheck"},
        {includeExecutableCheck_, "includeExecutableCheck"},
        {targetGroup_, "targetGroup"},
        {windowsTargetRadio_, "windowsTargetRadio"},
        {nativeTargetRadio_, "nativeTargetRadio"},
        {textsPage_, "textsPage"},
        {messagesTable_, "messagesTable"},
        {yesCharsEdit_, "yesCharsEdit"},
        {createButton_, "createButton"},
        {cancelButton_, "cancelButton"},
    });
}

void PatchBuilderDialog::createOptionsPage() {
    optionsPage_ = new QWidget(pages_);
    allTextsRadio_ = new QRadioButton(QStringLiteral("Update all texts"), optionsPage_);
    oneIdRadio_ = new QRadioButton(QStringLiteral("Update this language ID only:"), optionsPage_);
    idEdit_ = new LangIdEdit(optionsPage_);
    idEdit_->setFixedWidth(50);
    idUpDown_ = new LangIdUpDown(*idEdit_, optionsPage_);
    enhancedRleCheck_ =
        new QCheckBox(QStringLiteral("Enhanced RLE encoding of the modified files"), optionsPage_);
    enhancedRleCheck_->setChecked(true);
    includeExecutableCheck_ = new QCheckBox(
        QStringLiteral("Include the executable's texts and language"), optionsPage_);
    setExecutables({}, {}, false);

    auto* idRow = new QHBoxLayout;
    idRow->setSpacing(0);
    idRow->addWidget(oneIdRadio_);
    idRow->addSpacing(6);
    idRow->addWidget(idEdit_);
    idRow->addWidget(idUpDown_);
    idRow->addStretch();

    auto* layout = new QVBoxLayout(optionsPage_);
    layout->addWidget(allTextsRadio_);
    layout->addWidget(explanation(
        QStringLiteral("Selecting this causes the created executable to change all texts found in "
                       "the end-user's files to the texts you have. A relatively large executable "
                       "will be created because it has to contain all texts in all languages. Use "
                       "this if you made changes to more than one languages."),
        optionsPage_));
    layout->addLayout(idRow);
    layout->addWidget(explanation(
        QStringLiteral("Select this if you made changes to only one language or added your "
                       "language instead of overwriting an existing one. Don't forget to select "
                       "the ID you want to update before creating the executable!"),
        optionsPage_));
    layout->addWidget(enhancedRleCheck_);
    layout->addWidget(explanation(
        QStringLiteral("When modifying files, the executable can use a slightly better algorithm "
                       "to re-encode RLE encoded files, making them slightly smaller than they "
                       "originally were, still keeping them compatible with Tarn."),
        optionsPage_));
    layout->addWidget(includeExecutableCheck_);
    layout->addWidget(createTargetGroup());
    layout->addStretch();
    pages_->addTab(optionsPage_, QStringLiteral("Options"));

    // Checking either button, by a click or from code, sets the ID's enabled state.
    connect(allTextsRadio_, &QRadioButton::toggled, this, &PatchBuilderDialog::updateIdEnabled);
    allTextsRadio_->setChecked(true);
    updateIdEnabled();
}

QGroupBox* PatchBuilderDialog::createTargetGroup() {
    targetGroup_ = new QGroupBox(QStringLiteral("Program for players"), optionsPage_);
    windowsTargetRadio_ = new QRadioButton(QStringLiteral("Windows"), targetGroup_);
    nativeTargetRadio_ = new QRadioButton(nativeSystemName(), targetGroup_);
    // Without the Windows program in this build only this system's can be made.
    windowsTargetRadio_->setEnabled(carriesPatcher(PatcherTarget::Windows));
    auto* row = new QHBoxLayout(targetGroup_);
    row->addWidget(windowsTargetRadio_);
    row->addWidget(nativeTargetRadio_);
    row->addStretch();
    setTarget({});
    return targetGroup_;
}

void PatchBuilderDialog::createTextsPage() {
    textsPage_ = new QWidget(pages_);
    messagesTable_ = new QTableWidget(static_cast<int>(kMessageCount), 1, textsPage_);
    messagesTable_->horizontalHeader()->hide();
    messagesTable_->verticalHeader()->hide();
    messagesTable_->horizontalHeader()->setStretchLastSection(true);
    messagesTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    messagesTable_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    messagesTable_->setTabKeyNavigation(false);
    messagesTable_->setWordWrap(false);
    messagesTable_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    messagesTable_->verticalHeader()->setDefaultSectionSize(messagesTable_->fontMetrics().height() +
                                                            8);
    const MessageTexts& defaults = defaultMessages();
    for (std::size_t k = 0; k < kMessageCount; ++k) {
        messagesTable_->setItem(static_cast<int>(k), 0,
                                new QTableWidgetItem(QString::fromStdString(defaults[k])));
    }
    yesCharsEdit_ = new QLineEdit(QString::fromLatin1(kDefaultYesChars), textsPage_);
    connect(messagesTable_, &QTableWidget::itemChanged, this,
            &PatchBuilderDialog::markQuestionsOfferingOtherAnswers);
    connect(yesCharsEdit_, &QLineEdit::textChanged, this,
            &PatchBuilderDialog::markQuestionsOfferingOtherAnswers);

    auto* intro = new QLabel(
        QStringLiteral("These are the texts the created executable may display. You can translate "
                       "them to your native language, so end-users can understand them easier:"),
        textsPage_);
    intro->setWordWrap(true);
    auto* yesHelp = new QLabel(
        QStringLiteral("Characters meaning \"yes\" (type them without separators; pressing any of "
                       "these characters means yes, anything else means no):"),
        textsPage_);
    yesHelp->setWordWrap(true);
    auto* layout = new QVBoxLayout(textsPage_);
    layout->addWidget(intro);
    layout->addWidget(messagesTable_, 1);
    layout->addWidget(yesHelp);
    layout->addWidget(yesCharsEdit_);
    pages_->addTab(textsPage_, QStringLiteral("Displayed texts"));
}

void PatchBuilderDialog::updateIdEnabled() {
    const bool oneId = !allTextsRadio_->isChecked();
    idEdit_->setEnabled(oneId);
    idUpDown_->setEnabled(oneId);
}

int PatchBuilderDialog::textId() const {
    return allTextsRadio_->isChecked() ? -1 : idUpDown_->position();
}

void PatchBuilderDialog::setTextId(int id) {
    if (id < 0) {
        allTextsRadio_->setChecked(true);
    } else {
        oneIdRadio_->setChecked(true);
        idUpDown_->setPosition(id);
    }
}

PatcherTarget PatchBuilderDialog::target() const {
    return windowsTargetRadio_->isChecked() ? PatcherTarget::Windows : PatcherTarget::Native;
}

void PatchBuilderDialog::setTarget(std::string_view name) {
    std::optional<PatcherTarget> chosen = patcherTargetFromName(name);
    if (!chosen || (*chosen != PatcherTarget::Windows && *chosen != PatcherTarget::Native) ||
        !carriesPatcher(*chosen)) {
        chosen = defaultPatcherTarget();
    }
    (*chosen == PatcherTarget::Windows ? windowsTargetRadio_ : nativeTargetRadio_)
        ->setChecked(true);
}

QString PatchBuilderDialog::text(int row) const {
    const QTableWidgetItem* item = messagesTable_->item(row, 0);
    return item != nullptr ? item->text() : QString();
}

void PatchBuilderDialog::setText(int row, const QString& text) {
    const std::string wording =
        currentWording(messageEntry(static_cast<std::size_t>(row)), text.toStdString());
    messagesTable_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(wording)));
    markQuestionsOfferingOtherAnswers();
}

std::vector<std::size_t> PatchBuilderDialog::questionsOfferingOtherAnswers() const {
    const EndUserOptions o = options();
    return tarn::questionsOfferingOtherAnswers(o.messages, o.yesChars);
}

void PatchBuilderDialog::markQuestionsOfferingOtherAnswers() {
    const std::vector<std::size_t> rows = questionsOfferingOtherAnswers();
    // Marking changes the items, which would call this again.
    const QSignalBlocker blocker(messagesTable_);
    for (int row = 0; row < messagesTable_->rowCount(); ++row) {
        QTableWidgetItem* item = messagesTable_->item(row, 0);
        if (item == nullptr) {
            continue;
        }
        const bool marked =
            std::find(rows.begin(), rows.end(), static_cast<std::size_t>(row)) != rows.end();
        item->setIcon(marked ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
        item->setToolTip(marked ? QStringLiteral("The answer letter this question shows is not "
                                                 "one of the characters meaning \"yes\".")
                                : QString());
    }
}

void PatchBuilderDialog::followTarget() {
    if (saveFileDialog_ == nullptr) {
        return;  // it takes the target when it is made
    }
    // A Windows program is named NAME.exe; a program for this system has no suffix.
    if (target() == PatcherTarget::Windows) {
        saveFileDialog_->setNameFilter(QStringLiteral("Executable files (*.exe)"));
        saveFileDialog_->setDefaultSuffix(QStringLiteral("exe"));
    } else {
        saveFileDialog_->setNameFilter(QStringLiteral("All files (*)"));
        saveFileDialog_->setDefaultSuffix(QString());
    }
}

bool PatchBuilderDialog::enhancedRle() const {
    return enhancedRleCheck_->isChecked();
}

void PatchBuilderDialog::setEnhancedRle(bool enhanced) {
    enhancedRleCheck_->setChecked(enhanced);
}

QString PatchBuilderDialog::yesChars() const {
    return yesCharsEdit_->text();
}

void PatchBuilderDialog::setYesChars(const QString& chars) {
    yesCharsEdit_->setText(chars);
}

void PatchBuilderDialog::setExecutables(const QString& original, const QString& translated,
                                        bool mayGrow) {
    const bool both = !original.isEmpty() && !translated.isEmpty();
    // A new pair of files is included by default; the same pair keeps the translator's choice.
    if (original != originalExecutable_ || translated != translatedExecutable_) {
        includeExecutableCheck_->setChecked(both);
    }
    includeExecutableCheck_->setEnabled(both);
    originalExecutable_ = original;
    translatedExecutable_ = translated;
    executableMayGrow_ = mayGrow;
}

std::optional<ExecutablePair> PatchBuilderDialog::includedExecutables() const {
    if (!includeExecutableCheck_->isEnabled() || !includeExecutableCheck_->isChecked()) {
        return std::nullopt;
    }
    return ExecutablePair{originalExecutable_, translatedExecutable_, executableMayGrow_};
}

EndUserOptions PatchBuilderDialog::options() const {
    EndUserOptions options;
    for (std::size_t k = 0; k < kMessageCount; ++k) {
        options.messages[k] = text(static_cast<int>(k)).toStdString();
    }
    options.yesChars = yesCharsEdit_->text().toStdString();
    if (!allTextsRadio_->isChecked()) {
        options.texts.onlyId = static_cast<std::uint8_t>(idUpDown_->position());
    }
    options.texts.enhancedRle = enhancedRleCheck_->isChecked();
    return options;
}

bool PatchBuilderDialog::confirmTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        prompter().message(path + QStringLiteral("\nPath does not exist.\nCheck the path and try "
                                                 "again."),
                           saveFileDialog_->windowTitle(), MessageIcon::Warning,
                           MessageButtons::Ok);
        return false;
    }
    if (!info.exists()) {
        return true;
    }
    if (isReadOnlyFile(toFilePath(path)) || !info.isFile()) {
        prompter().message(path + QStringLiteral("\nThis file is set to read-only.\nTry again with "
                                                 "a different file name."),
                           saveFileDialog_->windowTitle(), MessageIcon::Warning,
                           MessageButtons::Ok);
        return false;
    }
    return prompter().message(info.fileName() + QStringLiteral(" already exists.\nDo you want to "
                                                               "replace it?"),
                              QStringLiteral("Confirm Save As"), MessageIcon::Warning,
                              MessageButtons::YesNo) == MessageAnswer::Yes;
}

bool PatchBuilderDialog::confirmAnswerLetters() {
    const std::vector<std::size_t> rows = questionsOfferingOtherAnswers();
    if (rows.empty()) {
        return true;
    }
    QString list;
    for (const std::size_t row : rows) {
        list += QStringLiteral("\nMessage %1: %2")
                    .arg(messageEntry(row))
                    .arg(text(static_cast<int>(row)).right(40));
    }
    return prompter().message(
               QStringLiteral("These questions show an answer letter that is not one of the "
                              "characters meaning \"yes\" (%1):%2\n\nPlayers who type that "
                              "letter would be answering no. Create the executable anyway?")
                   .arg(yesChars(), list),
               QStringLiteral("Answer letters"), MessageIcon::Warning,
               MessageButtons::YesNo) == MessageAnswer::Yes;
}

void PatchBuilderDialog::chooseFileAndAccept() {
    if (!confirmAnswerLetters()) {
        pages_->setCurrentWidget(textsPage_);  // the settings stay open where to correct them
        return;
    }
    for (;;) {
        if (prompter().runModal(saveFileDialog()) != QDialog::Accepted) {
            return;  // the settings stay open
        }
        QString path = nativePath(saveFileDialog_->selectedFiles().value(0));
        if (path.isEmpty()) {
            return;
        }
        if (target() == PatcherTarget::Windows && QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".exe");
        }
        if (confirmTarget(path)) {
            fileName_ = path;
            accept();
            return;
        }
    }
}

}  // namespace tarn
