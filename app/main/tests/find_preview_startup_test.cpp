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

}  // namespace
}  // namespace tarn
