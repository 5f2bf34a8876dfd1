// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on the largest known build (17 MB). Set TARN_SCREENSHOT to a PNG path to keep
// a picture of the window and of its dialogs.
#include <QDir>

#include "app/main/tests/editor_fixture.h"
#include "exetext/exe_profile.h"

namespace tarn {
namespace {

using BigBuildTest = EditorTest;

TEST_F(BigBuildTest, StartupFillsTheGridFromTheBigBuild) {
    std::vector<std::string> translated = texts;
    translated[0] = "Hallo";
    translated[1] =
        "\xD6"
        "ffne die T\xFCr";
    writeGame(texts, translated, 3);
    ASSERT_EQ(fileSizeOf(origPath), 17006592u);
    writeSettings();
    MainWindow& f = start();
    EXPECT_EQ(f.translatedProfile(), 3);
    EXPECT_EQ(f.cellText(2, 2), QStringLiteral("\u00D6ffne die T\u00FCr"));

    const QByteArray shot = qgetenv("TARN_SCREENSHOT");
    if (!shot.isEmpty()) {
        f.resize(900, 560);
        grid()->moveTo(2, 2);
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.grab().save(QString::fromLocal8Bit(shot)));
        // The dialogs beside it, as <name>-<dialog>.png.
        const QString base = QString::fromLocal8Bit(shot).chopped(4);
        for (const char* name :
             {"pathsDialog", "aboutDialog", "jumpToTextDialog", "saveProgressDialog"}) {
            auto* dialog = child<QDialog>(name);
            dialog->show();
            QCoreApplication::processEvents();
            dialog->grab().save(
                base + "-" +
                QString::fromLatin1(dialog->metaObject()->className()).section("::", -1) + ".png");
            dialog->hide();
        }
    }
}

}  // namespace
}  // namespace tarn
