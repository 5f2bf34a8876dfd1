// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/save_progress_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "common/errors.h"

#include "app/widgets/file_paths.h"
#include "app/widgets/prompter.h"

namespace tarn {

SaveProgressDialog::SaveProgressDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("saveProgressDialog"));
    setWindowTitle(QStringLiteral("Please wait..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    phaseLabel_ = new QLabel(this);
    phaseLabel_->setObjectName(QStringLiteral("phaseLabel"));
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setRange(0, kTextCount);
    progressBar_->setTextVisible(false);
    countLabel_ = new QLabel(this);
    countLabel_->setObjectName(QStringLiteral("countLabel"));
    countLabel_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(phaseLabel_);
    layout->addWidget(progressBar_);
    layout->addWidget(countLabel_);
    setFixedSize(320, sizeHint().height());
}

SaveOutcome SaveProgressDialog::save(const QString& path, std::vector<std::string> texts,
                                     const SaveOptions& options) {
    path_ = path;
    texts_ = std::move(texts);
    options_ = options;
    outcome_ = {};
    prompter().runModal(*this);
    texts_.clear();
    return std::move(outcome_);
}

void SaveProgressDialog::reject() {
    if (!working_) {
        QDialog::reject();
    }
}

void SaveProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    progressBar_->setValue(0);
    countLabel_->clear();
    // The work starts once the window has been painted.
    QTimer::singleShot(0, this, &SaveProgressDialog::writeTexts);
}

void SaveProgressDialog::writeTexts() {
    if (working_) {
        return;
    }
    working_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        SaveCallbacks callbacks;
        callbacks.progress = [this](SavePhase phase, int done) {
            phaseLabel_->setText(QString::fromStdString(std::string(savePhaseText(phase))));
            if (done > 0) {
                progressBar_->setValue(done);
                countLabel_->setText(QString::fromStdString(progressCountText(done)));
            }
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        callbacks.cstyleError = [](int textNumber, const std::string& message) {
            prompter().message(QString::fromStdString(cstyleErrorBoxText(textNumber, message)),
                               QString::fromStdString(std::string(kCStyleErrorCaption)),
                               MessageIcon::Error, MessageButtons::Ok);
        };
        outcome_.result = saveStrings(toFilePath(path_), texts_, options_, callbacks);
    } catch (const FileChangedError& e) {
        outcome_.error = Problem::withMessage(e.what());
        outcome_.changedElsewhere = true;
    } catch (const std::exception& e) {
        outcome_.error = Problem::withMessage(e.what());
    }
    QApplication::restoreOverrideCursor();
    working_ = false;
    accept();
}

}  // namespace tarn
