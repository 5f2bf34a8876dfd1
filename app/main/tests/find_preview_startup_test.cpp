// SPDX-License-Identifier: GPL-3.0-or-later
// The preview and replace windows through a whole run of the program: start-up reads their
// settings, closing writes them back.
#include <QTest>
#include <QTextEdit>

#include "app/main/tests/editor_fixture.h"
#include "common/profile_file.h"

namespace tarn {
namespace {

using FindPreviewStartupTest = EditorTest;

TEST_F(FindPreviewStartupTest, PreviewAndReplaceSettingsSurviveARun) {
    writeGame();
    writeSettings(
        "[Preview]\r\nBackColor=255\r\nWidth=350\r\nHeight=160\r\nLeft=30\r\nTop=40\r\n"
        "Visible=1\r\n[ReplaceWin]\r\nLeft=10\r\nTop=20\r\n");
    MainWindow& f = start();
    ASSERT_TRUE(action("previewAction")->isChecked());
    EXPECT_TRUE(child<QWidget>("previewWindow")->isVisible());
    EXPECT_EQ(child<QWidget>("previewWindow")->pos(), QPoint(30, 40));
    EXPECT_EQ(child<QWidget>("previewWindow")->size(), QSize(350, 160));
    EXPECT_EQ(child<QDialog>("replaceDialog")->pos(), QPoint(10, 20));
    QTest::qWait(250);  // the preview polls the current cell, text 1 "Hi"
    EXPECT_EQ(child<QTextEdit>("previewText")->toPlainText(), "Hi");

    f.close();
    const ProfileFile ini(settingsPath);
    EXPECT_EQ(ini.readInteger("Preview", "BackColor", 0), 255);
    EXPECT_EQ(ini.readInteger("Preview", "TextColor", 0), profile_color::kWindowText);
    EXPECT_EQ(ini.readInteger("Preview", "Left", 0), 30);
    EXPECT_EQ(ini.readInteger("Preview", "Top", 0), 40);
    EXPECT_EQ(ini.readInteger("Preview", "Width", 0), 350);
    EXPECT_EQ(ini.readInteger("Preview", "Height", 0), 160);
    EXPECT_TRUE(ini.readBool("Preview", "Visible", false));
    EXPECT_EQ(ini.readInteger("ReplaceWin", "Left", 0), 10);
    EXPECT_EQ(ini.readInteger("ReplaceWin", "Top", 0), 20);
    EXPECT_EQ(ini.readInteger("ReplaceQuestion", "Left", 0), -1);
}

TEST_F(FindPreviewStartupTest, FindAndThePreviewKeepClearOfWhatTheyShow) {
    writeGame();
    writeSettings();
    MainWindow& f = start();
    f.setGeometry(20, 30, 380, 400);
    QCoreApplication::processEvents();

    // Never placed, the preview opens beside the main window.
    action("previewAction")->trigger();
    auto* preview = child<QWidget>("previewWindow");
    EXPECT_FALSE(preview->frameGeometry().intersects(f.frameGeometry()));
    EXPECT_EQ(preview->frameGeometry().top(), f.frameGeometry().top());

    // Find moves off the row it found, whatever place it was given over it.
    auto* find = child<QDialog>("findDialog");
    action("findAction")->trigger();
    child<QLineEdit>("searchTextEdit")->setText(QStringLiteral("Save game"));
    const auto findFromTheTop = [this] {
        EXPECT_TRUE(grid()->moveTo(1, 1));
        child<QPushButton>("findNextButton")->click();
        const int found = grid()->currentRow();
        const QRect cells = grid()->cellRect(found, 1).united(grid()->cellRect(found, 2));
        return QRect(grid()->viewport()->mapToGlobal(cells.topLeft()), cells.size());
    };
    const QRect row = findFromTheTop();
    ASSERT_GT(grid()->currentRow(), 1);
    for (const int over : {row.top() - 10, row.bottom() - 5}) {
        find->move(find->x(), over);
        ASSERT_TRUE(find->frameGeometry().intersects(row));
        EXPECT_EQ(findFromTheTop(), row);
        EXPECT_FALSE(find->frameGeometry().intersects(row)) << over;
    }
}

}  // namespace
}  // namespace tarn
