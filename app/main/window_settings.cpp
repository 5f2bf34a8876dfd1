// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main/window_settings.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>
#include <exception>

#include "app/main/app_settings.h"
#include "app/main/texts_session.h"
#include "app/main/window_font.h"
#include "app/widgets/prompter.h"
#include "exetext/string_table_document.h"

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

void applyPlacementCheck(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QSize size = screen->size();
    if (window.x() > size.width() - 10 || window.y() > size.height() - 10) {
        window.move(0, 0);
    }
}

QRect firstWindowRect(const QRect& available) {
    // Two thirds of each side: the grid's four columns fit, and other windows stay in reach.
    const QSize size(available.width() * 2 / 3, available.height() * 2 / 3);
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available);
}

WindowSettings::WindowSettings(WindowParts& parts, WindowFont& font, QAction& notation)
    : QObject(&parts.window), parts_(parts), font_(font), notation_(notation) {}

void WindowSettings::applyPlacement() {
    QMainWindow& window = parts_.window;
    const PlacementSettings placement = readMainWindowPlacement(openSettings(parts_));
    if (placement.left != -1) {
        window.setGeometry(placement.left, placement.top, placement.width, placement.height);
        applyPlacementCheck(window);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.setGeometry(firstWindowRect(screen->availableGeometry()));
    }
    if (placement.isMaximized) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}

bool WindowSettings::read() {
    AppSettings& settings = parts_.settings;
    try {
        const ProfileFile ini = openSettings(parts_);
        if (!ini.readError().empty()) {
            // Its settings stay as they are; this run works on defaults and never writes it.
            prompter().message(
                QStringLiteral("The settings file %1 cannot be read (%2). TarnEdit runs on its "
                               "default settings and leaves the file as it is.")
                    .arg(parts_.settingsPath, QString::fromStdString(ini.readError())),
                QStringLiteral("TarnEdit"), MessageIcon::Warning, MessageButtons::Ok);
        }
        const PathsSettings paths = readPaths(ini);
        parts_.executables.originalPath = QString::fromStdString(paths.origExePath);
        parts_.executables.translatedPath = QString::fromStdString(paths.transExePath);
        readStartupSettings(ini, settings);
        parts_.session.setNotation(settings.options.cstyleStrings ? Notation::CStyle
                                                                  : Notation::Raw);
        notation_.setChecked(settings.options.cstyleStrings);
        font_.applyFont(fontFromOptions(settings.options));
        font_.setCharset(settings.options.fontCharset);
        return true;
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
        return false;
    }
}

void WindowSettings::capture() {
    AppSettings& settings = parts_.settings;
    settings.options.cstyleStrings = parts_.document.notation() == Notation::CStyle;
    fontIntoOptions(font_.font(), settings.options);
    settings.options.fontCharset = font_.charset();
    // The restored bounds, also for a maximized or minimized window. Positions are those of the
    // client area, as the placement is applied at start-up, so that they round-trip exactly.
    const QMainWindow& window = parts_.window;
    const bool restored = window.isMaximized() || window.isMinimized();
    const QRect normal = restored ? window.normalGeometry() : window.geometry();
    settings.mainWindow = {normal.left(), normal.top(), normal.width(), normal.height(),
                           window.isMaximized()};
}

bool canBeSettingsKey(const std::string& path) {
    return !path.empty() && path.find_first_of("=\r\n") == std::string::npos &&
           path.front() != ' ' && path.front() != '\t' && path.front() != '[' &&
           path.front() != ';' && path.back() != ' ' && path.back() != '\t';
}

bool readFileSetting(const WindowParts& parts, const char* section, const std::string& path,
                     bool defaultValue) {
    return canBeSettingsKey(path) ? openSettings(parts).readBool(section, path, defaultValue)
                                  : defaultValue;
}

void storeFileSetting(const WindowParts& parts, const char* section, const std::string& path,
                      bool value) {
    if (!canBeSettingsKey(path)) {
        return;
    }
    try {
        ProfileFile ini = openSettings(parts);
        // A settings file that could not be read is left as it is.
        if (ini.readError().empty()) {
            ini.writeBool(section, path, value);
            ini.save();
        }
    } catch (const std::exception& e) {
        showExceptionMessage(QString::fromStdString(e.what()));
    }
}

}  // namespace tarn
