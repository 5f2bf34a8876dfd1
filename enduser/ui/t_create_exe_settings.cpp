#include "enduser/ui/t_create_exe_settings.h"

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
#include <QSysInfo>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/file_io.h"
#include "objtrans/lang_id_edit.h"
#include "app/widgets/prompter.h"

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
#if defined(Q_OS_LINUX)
    return QStringLiteral("Linux");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("macOS");
#elif defined(Q_OS_WIN)
    return QStringLiteral("This system");
#else
    return QSysInfo::kernelType();
#endif
}

}  // namespace

TCreateEXESettings::TCreateEXESettings(QWidget* parent)
    : QDialog(parent),
      PageControl1(new QTabWidget(this)),
      CreateExe(new QPushButton(QStringLiteral("Create executable"), this)),
      Cancel(new QPushButton(QStringLiteral("Cancel"), this)),
      SaveDialog1(new QFileDialog(this)) {
    setObjectName(QStringLiteral("CreateEXESettings"));
    setWindowTitle(QStringLiteral("End-user translator executable settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    createOptionsPage();
    createTextsPage();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CreateExe);
    buttons->addWidget(Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    setFixedSize(460, 480);

    CreateExe->setDefault(true);
    connect(CreateExe, &QPushButton::clicked, this, &TCreateEXESettings::CreateExeClick);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);

    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setWindowTitle(QStringLiteral("Saving end-user translator"));
    SaveDialog1->setNameFilter(QStringLiteral("Executable files (*.exe)"));
    SaveDialog1->setDefaultSuffix(QStringLiteral("exe"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    // The overwrite and read-only questions go through the prompter (confirmTarget).
    SaveDialog1->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
}

void TCreateEXESettings::createOptionsPage() {
    Options = new QWidget(PageControl1);
    AllTexts = new QRadioButton(QStringLiteral("Update all texts"), Options);
    JustOneID = new QRadioButton(QStringLiteral("Update this language ID only:"), Options);
    Edit1 = new LangIdEdit(Options);
    Edit1->setFixedWidth(50);
    ID = new LangIdUpDown(*Edit1, Options);
    EnhRLE = new QCheckBox(QStringLiteral("Enhanced RLE encoding of the modified files"), Options);
    EnhRLE->setChecked(true);

    auto* idRow = new QHBoxLayout;
    idRow->setSpacing(0);
    idRow->addWidget(JustOneID);
    idRow->addSpacing(6);
    idRow->addWidget(Edit1);
    idRow->addWidget(ID);
    idRow->addStretch();

    auto* layout = new QVBoxLayout(Options);
    layout->addWidget(AllTexts);
    layout->addWidget(explanation(
        QStringLiteral("Selecting this causes the created executable to change all texts found in "
                       "the end-user's files to the texts you have. A relatively large executable "
                       "will be created because it has to contain all texts in all languages. Use "
                       "this if you made changes to more than one languages."),
        Options));
    layout->addLayout(idRow);
    layout->addWidget(explanation(
        QStringLiteral("Select this if you made changes to only one language or added your "
                       "language instead of overwriting an existing one. Don't forget to select "
                       "the ID you want to update before creating the executable!"),
        Options));
    layout->addWidget(EnhRLE);
    layout->addWidget(explanation(
        QStringLiteral("When modifying files, the executable can use a slightly better algorithm "
                       "to re-encode RLE encoded files, making them slightly smaller than they "
                       "originally were, still keeping them compatible with Tarn."),
        Options));
    layout->addWidget(createTargetGroup());
    layout->addStretch();
    PageControl1->addTab(Options, QStringLiteral("Options"));

    // Checking either button, by a click or from code, sets the ID's enabled state.
    connect(AllTexts, &QRadioButton::toggled, this, &TCreateEXESettings::AllTextsClick);
    AllTexts->setChecked(true);
    AllTextsClick();
}

QGroupBox* TCreateEXESettings::createTargetGroup() {
    TargetGroup = new QGroupBox(QStringLiteral("Program for players"), Options);
    TargetWindows = new QRadioButton(QStringLiteral("Windows"), TargetGroup);
    TargetNative = new QRadioButton(nativeSystemName(), TargetGroup);
    // Without the Windows program in this build only this system's can be made.
    TargetWindows->setEnabled(carriesPatcher(PatcherTarget::Windows));
    auto* row = new QHBoxLayout(TargetGroup);
    row->addWidget(TargetWindows);
    row->addWidget(TargetNative);
    row->addStretch();
    setTarget({});
    return TargetGroup;
}

void TCreateEXESettings::createTextsPage() {
    Texts = new QWidget(PageControl1);
    EXETexts = new QTableWidget(static_cast<int>(kMessageCount), 1, Texts);
    EXETexts->horizontalHeader()->hide();
    EXETexts->verticalHeader()->hide();
    EXETexts->horizontalHeader()->setStretchLastSection(true);
    EXETexts->setSelectionMode(QAbstractItemView::SingleSelection);
    EXETexts->setEditTriggers(QAbstractItemView::AllEditTriggers);
    EXETexts->setTabKeyNavigation(false);
    EXETexts->setWordWrap(false);
    EXETexts->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    EXETexts->verticalHeader()->setDefaultSectionSize(EXETexts->fontMetrics().height() + 8);
    const MessageTexts& defaults = defaultMessages();
    for (std::size_t k = 0; k < kMessageCount; ++k) {
        EXETexts->setItem(static_cast<int>(k), 0,
                          new QTableWidgetItem(QString::fromStdString(defaults[k])));
    }
    YesChars = new QLineEdit(QString::fromLatin1(kDefaultYesChars), Texts);

    auto* intro = new QLabel(
        QStringLiteral("These are the texts the created executable may display. You can translate "
                       "them to your native language, so end-users can understand them easier:"),
        Texts);
    intro->setWordWrap(true);
    auto* yesHelp = new QLabel(
        QStringLiteral("Characters meaning \"yes\" (type them without separators; pressing any of "
                       "these characters means yes, anything else means no):"),
        Texts);
    yesHelp->setWordWrap(true);
    auto* layout = new QVBoxLayout(Texts);
    layout->addWidget(intro);
    layout->addWidget(EXETexts, 1);
    layout->addWidget(yesHelp);
    layout->addWidget(YesChars);
    PageControl1->addTab(Texts, QStringLiteral("Displayed texts"));
}

void TCreateEXESettings::AllTextsClick() {
    const bool oneId = !AllTexts->isChecked();
    Edit1->setEnabled(oneId);
    ID->setEnabled(oneId);
}

int TCreateEXESettings::textId() const {
    return AllTexts->isChecked() ? -1 : ID->position();
}

void TCreateEXESettings::setTextId(int id) {
    if (id < 0) {
        AllTexts->setChecked(true);
    } else {
        JustOneID->setChecked(true);
        ID->setPosition(id);
    }
}

PatcherTarget TCreateEXESettings::target() const {
    return TargetWindows->isChecked() ? PatcherTarget::Windows : PatcherTarget::Native;
}

void TCreateEXESettings::setTarget(std::string_view name) {
    std::optional<PatcherTarget> chosen = patcherTargetFromName(name);
    if (!chosen || (*chosen != PatcherTarget::Windows && *chosen != PatcherTarget::Native) ||
        !carriesPatcher(*chosen)) {
        chosen = defaultPatcherTarget();
    }
    (*chosen == PatcherTarget::Windows ? TargetWindows : TargetNative)->setChecked(true);
}

QString TCreateEXESettings::text(int row) const {
    const QTableWidgetItem* item = EXETexts->item(row, 0);
    return item != nullptr ? item->text() : QString();
}

void TCreateEXESettings::setText(int row, const QString& text) {
    EXETexts->setItem(row, 0, new QTableWidgetItem(text));
}

EndUserOptions TCreateEXESettings::options() const {
    EndUserOptions options;
    for (std::size_t k = 0; k < kMessageCount; ++k) {
        options.messages[k] = text(static_cast<int>(k)).toStdString();
    }
    options.yesChars = YesChars->text().toStdString();
    if (!AllTexts->isChecked()) {
        options.texts.onlyId = static_cast<std::uint8_t>(ID->position());
    }
    options.texts.enhancedRle = EnhRLE->isChecked();
    return options;
}

bool TCreateEXESettings::confirmTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        prompter().message(path + QStringLiteral("\nPath does not exist.\nCheck the path and try "
                                                 "again."),
                           SaveDialog1->windowTitle(), MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    if (!info.exists()) {
        return true;
    }
    if (isReadOnlyFile(path.toStdString()) || !info.isFile()) {
        prompter().message(path + QStringLiteral("\nThis file is set to read-only.\nTry again with "
                                                 "a different file name."),
                           SaveDialog1->windowTitle(), MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    return prompter().message(info.fileName() + QStringLiteral(" already exists.\nDo you want to "
                                                               "replace it?"),
                              QStringLiteral("Confirm Save As"), MessageIcon::Warning,
                              MessageButtons::YesNo) == MessageAnswer::Yes;
}

void TCreateEXESettings::CreateExeClick() {
    for (;;) {
        if (prompter().runModal(*SaveDialog1) != QDialog::Accepted) {
            return;  // the settings stay open
        }
        QString path = SaveDialog1->selectedFiles().value(0);
        if (path.isEmpty()) {
            return;
        }
        if (QFileInfo(path).suffix().isEmpty()) {
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
