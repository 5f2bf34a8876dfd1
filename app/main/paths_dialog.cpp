// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/paths_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/widgets/file_dialog_options.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/help_viewer.h"
#include "app/widgets/prompter.h"

namespace tarn {

PathsDialog::PathsDialog(CheckPaths check, QString helpFile, QWidget* parent)
    : QDialog(parent), check_(std::move(check)), helpFile_(std::move(helpFile)) {
    setObjectName(QStringLiteral("pathsDialog"));
    setWindowTitle(QStringLiteral("Configuration"));
    originalEdit_ = new QLineEdit(this);
    originalEdit_->setObjectName(QStringLiteral("originalPathEdit"));
    translatedEdit_ = new QLineEdit(this);
    translatedEdit_->setObjectName(QStringLiteral("translatedPathEdit"));
    auto* originalBrowse = new QPushButton(QStringLiteral("..."), this);
    originalBrowse->setObjectName(QStringLiteral("originalBrowseButton"));
    auto* translatedBrowse = new QPushButton(QStringLiteral("..."), this);
    translatedBrowse->setObjectName(QStringLiteral("translatedBrowseButton"));
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("helpButton"));
    help->setShortcut(Qt::Key_F1);
    okButton_->setDefault(true);
    for (QPushButton* b : {originalBrowse, translatedBrowse}) {
        b->setAutoDefault(false);
        b->setFixedWidth(30);
    }
    fileDialog_ = new QFileDialog(this);
    fileDialog_->setObjectName(QStringLiteral("executableFileDialog"));
    fileDialog_->setOptions(systemFileDialogOptions());
    fileDialog_->setDefaultSuffix(QStringLiteral("exe"));
    fileDialog_->setNameFilters(
        {QStringLiteral("Executable files (*.exe *.EXE)"), QStringLiteral("All files (*)")});

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Path of original executable:"), this), 0, 0, 1, 2);
    grid->addWidget(originalEdit_, 1, 0);
    grid->addWidget(originalBrowse, 1, 1);
    grid->addWidget(
        new QLabel(
            QStringLiteral("Path of translated executable (will be created if doesn't exist):"),
            this),
        2, 0, 1, 2);
    grid->addWidget(translatedEdit_, 3, 0);
    grid->addWidget(translatedBrowse, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(460);
    setFixedHeight(sizeHint().height());

    connect(originalEdit_, &QLineEdit::textChanged, this, &PathsDialog::enableOk);
    connect(translatedEdit_, &QLineEdit::textChanged, this, &PathsDialog::enableOk);
    connect(originalBrowse, &QPushButton::clicked, this, [this]() { browse(originalEdit_, true); });
    connect(translatedBrowse, &QPushButton::clicked, this,
            [this]() { browse(translatedEdit_, false); });
    connect(okButton_, &QPushButton::clicked, this, &PathsDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this]() { showHelp(helpFile_, kHelpContext, this); });
    enableOk();
}

void PathsDialog::setPaths(const QString& original, const QString& translated) {
    originalEdit_->setText(nativePath(original));
    translatedEdit_->setText(nativePath(translated));
    enableOk();
}

void PathsDialog::enableOk() {
    okButton_->setEnabled(!originalEdit_->text().isEmpty() && !translatedEdit_->text().isEmpty());
}

void PathsDialog::browse(QLineEdit* edit, bool mustExist) {
    fileDialog_->setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    fileDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    if (!initialFolderSet_) {
        // One dialog serves both buttons: its folder is set by the first use and then stays.
        initialFolderSet_ = true;
        const QString text = originalEdit_->text();
        if (!text.isEmpty()) {
            fileDialog_->setDirectory(QFileInfo(text).absolutePath());
        }
    }
    if (prompter().runModal(*fileDialog_) == QDialog::Accepted &&
        !fileDialog_->selectedFiles().isEmpty()) {
        edit->setText(nativePath(fileDialog_->selectedFiles().constFirst()));
    }
}

void PathsDialog::confirm() {
    // A typed path may use either separator; it is kept and shown in the system's own form.
    const QString original = nativePath(originalEdit_->text());
    const QString translated = nativePath(translatedEdit_->text());
    if (check_ && !check_(original, translated)) {
        return;  // the reason has been shown; the dialog stays open
    }
    accept();
    emit pathsChosen(original, translated);
}

}  // namespace tarn
