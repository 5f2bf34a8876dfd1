// Start-up and closing of the main window: the settings file, the first run and the paths.
#include <QApplication>
#include <exception>

#include "app/main/main_window.h"
#include "app/main/paths_dialog.h"
#include "app/widgets/prompter.h"

namespace tarn {

namespace {

QFont fontFromOptions(const OptionsSettings& options) {
    QFont font(QString::fromStdString(options.fontName));
    if (options.fontSize > 0) {
        font.setPointSize(options.fontSize);
    }
    font.setBold((options.fontStyle & 1) != 0);
    font.setItalic((options.fontStyle & 2) != 0);
    font.setUnderline((options.fontStyle & 4) != 0);
    font.setStrikeOut((options.fontStyle & 8) != 0);
    return font;
}

void fontIntoOptions(const QFont& font, OptionsSettings& options) {
    options.fontName = font.family().toStdString();
    options.fontSize = font.pointSize() > 0 ? font.pointSize() : options.fontSize;
    options.fontStyle = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) |
                        (font.underline() ? 4 : 0) | (font.strikeOut() ? 8 : 0);
}

}  // namespace

void MainWindow::startUp() {
    startingUp_ = true;
    openAtStart();
    startingUp_ = false;
    showCodePageNote();
}

void MainWindow::openAtStart() {
    try {
        const ProfileFile ini = openSettings();
        if (!ini.readError().empty()) {
            // Its settings stay as they are; this run works on defaults and never writes it.
            prompter().message(
                QStringLiteral("The settings file %1 cannot be read (%2). TarnEdit runs on its "
                               "default settings and leaves the file as it is.")
                    .arg(settingsPath_, QString::fromStdString(ini.readError())),
                QStringLiteral("TarnEdit"), MessageIcon::Warning, MessageButtons::Ok);
        }
        const PathsSettings paths = readPaths(ini);
        origExePath_ = QString::fromStdString(paths.origExePath);
        transExePath_ = QString::fromStdString(paths.transExePath);
        readStartupSettings(ini, settings_);
        document_.setCStyleFlag(settings_.options.cstyleStrings);
        notationAction_->setChecked(settings_.options.cstyleStrings);
        applyFont(fontFromOptions(settings_.options));
        setFontCharset(settings_.options.fontCharset);
        emit settingsLoaded();
        if (settings_.preview.visible) {
            previewAction_->trigger();  // checks the command and shows the preview window
        }
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }

    if (origExePath_.isEmpty() || transExePath_.isEmpty()) {
        prompter().message(QStringLiteral("You are running this program for the first time\n\r"
                                          "Please enter the locations of the necessary files"),
                           QStringLiteral("First run"), MessageIcon::Information,
                           MessageButtons::Ok);
        askPathsAtStart();
        return;
    }
    if (checkPaths(origExePath_, transExePath_)) {
        loadExecutables();
        return;
    }
    askPathsAtStart();
}

void MainWindow::askPathsAtStart() {
    pathsDialog_->setPaths(origExePath_, transExePath_);
    if (prompter().runModal(*pathsDialog_) == QDialog::Accepted) {
        loadExecutables();
    } else {
        close();
    }
}

void MainWindow::usePaths(const QString& originalPath, const QString& translatedPath) {
    origExePath_ = originalPath;
    transExePath_ = translatedPath;
    ProfileFile ini = openSettings();
    try {
        writePaths(ini, {originalPath.toStdString(), translatedPath.toStdString()});
    } catch (const std::exception& e) {
        // The paths hold for this run even when they cannot be stored.
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

void MainWindow::captureMainWindowPlacement() {
    // The restored bounds, also for a maximized or minimized window. Positions are those of the
    // client area, as the placement is applied at start-up, so that they round-trip exactly.
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    PlacementSettings& p = settings_.mainWindow;
    p.isMaximized = isMaximized();
    p.left = normal.left();
    p.top = normal.top();
    p.width = normal.width();
    p.height = normal.height();
}

void MainWindow::writeSettingsAtClose() {
    if (settingsWritten_) {
        return;
    }
    settingsWritten_ = true;
    settings_.options.cstyleStrings = document_.cstyle();
    fontIntoOptions(font_, settings_.options);
    settings_.options.fontCharset = fontCharset_;
    captureMainWindowPlacement();
    emit aboutToWriteSettings();
    try {
        ProfileFile ini = openSettings();
        // An unreadable file is left as it is, as the user heard at start-up.
        if (ini.readError().empty()) {
            writeClosingSettings(ini, settings_);
        }
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }
    gameFont_.remove();
}

}  // namespace tarn
