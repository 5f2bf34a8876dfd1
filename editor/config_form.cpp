#include "editor/config_form.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/tfo_form.h"
#include "app/widgets/help_viewer.h"
#include "app/widgets/prompter.h"

namespace tarn {

TConfigForm::TConfigForm(TFoForm* mainWindow) : QDialog(mainWindow), main_(mainWindow) {
    setWindowTitle(QStringLiteral("Configuration"));
    OrigPath = new QLineEdit(this);
    TransPath = new QLineEdit(this);
    OrigBrowse = new QPushButton(QStringLiteral("..."), this);
    TransBrowse = new QPushButton(QStringLiteral("..."), this);
    OK = new QPushButton(QStringLiteral("OK"), this);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Help = new QPushButton(QStringLiteral("Help"), this);
    OK->setDefault(true);
    for (QPushButton* b : {OrigBrowse, TransBrowse}) {
        b->setAutoDefault(false);
        b->setFixedWidth(30);
    }
    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setDefaultSuffix(QStringLiteral("exe"));
    OpenDialog1->setNameFilters(
        {QStringLiteral("Executable files (*.exe *.EXE)"), QStringLiteral("All files (*)")});

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Path of original executable:"), this), 0, 0, 1, 2);
    grid->addWidget(OrigPath, 1, 0);
    grid->addWidget(OrigBrowse, 1, 1);
    grid->addWidget(
        new QLabel(
            QStringLiteral("Path of translated executable (will be created if doesn't exist):"),
            this),
        2, 0, 1, 2);
    grid->addWidget(TransPath, 3, 0);
    grid->addWidget(TransBrowse, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Cancel);
    buttons->addWidget(Help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(460);
    setFixedHeight(sizeHint().height());

    connect(OrigPath, &QLineEdit::textChanged, this, &TConfigForm::OrigPathChange);
    connect(TransPath, &QLineEdit::textChanged, this, &TConfigForm::OrigPathChange);
    connect(OrigBrowse, &QPushButton::clicked, this, [this]() { browse(OrigPath, true); });
    connect(TransBrowse, &QPushButton::clicked, this, [this]() { browse(TransPath, false); });
    connect(OK, &QPushButton::clicked, this, &TConfigForm::OKClick);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Help, &QPushButton::clicked, this,
            [this]() { showHelp(main_->helpFile(), TFoForm::kConfigureHelpContext); });
    OrigPathChange();
}

void TConfigForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    OrigPath->setText(main_->OrigExePath);
    TransPath->setText(main_->TransExePath);
    OrigPathChange();
}

void TConfigForm::OrigPathChange() {
    OK->setEnabled(!OrigPath->text().isEmpty() && !TransPath->text().isEmpty());
}

void TConfigForm::browse(QLineEdit* edit, bool mustExist) {
    OpenDialog1->setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    if (!initialFolderSet_) {
        // One dialog serves both buttons: its folder is set by the first use and then stays.
        initialFolderSet_ = true;
        const QString text = OrigPath->text();
        if (!text.isEmpty()) {
            OpenDialog1->setDirectory(QFileInfo(text).absolutePath());
        }
    }
    if (prompter().runModal(*OpenDialog1) == QDialog::Accepted &&
        !OpenDialog1->selectedFiles().isEmpty()) {
        edit->setText(OpenDialog1->selectedFiles().constFirst());
    }
}

void TConfigForm::OKClick() {
    if (!main_->checkExePaths(OrigPath->text(), TransPath->text())) {
        return;  // the reason has been shown; the dialog stays open
    }
    accept();
    main_->pathsConfirmed(OrigPath->text(), TransPath->text());
}

}  // namespace tarn
