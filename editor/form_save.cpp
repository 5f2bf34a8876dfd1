#include "editor/form_save.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "editor/tfo_form.h"
#include "exetext/string_table_writer.h"
#include "app/widgets/prompter.h"

namespace tarn {

TFormSave::TFormSave(TFoForm* mainWindow) : QDialog(mainWindow), main_(mainWindow) {
    setWindowTitle(QStringLiteral("Please wait..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Label1 = new QLabel(this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, kTextCount);
    ProgressBar1->setTextVisible(false);
    Label2 = new QLabel(this);
    Label2->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Label2);
    setFixedSize(320, sizeHint().height());
}

void TFormSave::reject() {
    if (!working_) {
        QDialog::reject();
    }
}

void TFormSave::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ProgressBar1->setValue(0);
    Label2->clear();
    // The work starts once the window has been painted.
    QTimer::singleShot(0, this, &TFormSave::saveStrings);
}

void TFormSave::saveStrings() {
    if (working_) {
        return;
    }
    working_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    try {
        SaveCallbacks callbacks;
        callbacks.progress = [this](SavePhase phase, int done) {
            Label1->setText(QString::fromStdString(std::string(savePhaseText(phase))));
            if (done > 0) {
                ProgressBar1->setValue(done);
                Label2->setText(QString::fromStdString(progressCountText(done)));
            }
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        callbacks.cstyleError = [](int textNumber, const std::string& message) {
            prompter().message(QString::fromStdString(cstyleErrorBoxText(textNumber, message)),
                               QString::fromStdString(std::string(kCStyleErrorCaption)),
                               MessageIcon::Error, MessageButtons::Ok);
        };
        const SaveResult result =
            tarn::saveStrings(main_->TransExePath.toStdString(),
                              main_->document().translatedTexts(), main_->saveOptions(), callbacks);
        main_->saveFinished(result);
    } catch (const std::exception& e) {
        error = QString::fromStdString(e.what());
    }
    QApplication::restoreOverrideCursor();
    working_ = false;
    accept();
    if (!error.isEmpty()) {
        showExceptionMessage(error);
    }
}

}  // namespace tarn
