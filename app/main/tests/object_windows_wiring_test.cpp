// The object windows as the main window opens them, with their stored settings.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "app/main/tests/editor_fixture.h"
#include "app/objects/object_language_dialog.h"
#include "app/objects/object_texts_window.h"
#include "app/patch_builder/patch_builder_dialog.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/test_application.h"
#include "objfiles/sample_objects.h"

namespace tarn {
namespace {

using ObjectWindowsWiring = EditorTest;

TEST_F(ObjectWindowsWiring, StoredSettingsReachTheWindowsAndAreWrittenBack) {
    writeGame();
    writeSettings(
        "[ObjTrans]\r\nEnhRLE=0\r\n[EXESettings]\r\nTextID=7\r\nText3=Bitte warten\r\n"
        "YesChars=jy\r\nTarget=native\r\n");
    MainWindow& main = start();
    PatchBuilderDialog& builder = child<ObjectTextsWindow>("objectTextsWindow")->patchBuilder();
    EXPECT_FALSE(child<ObjectTextsWindow>("objectTextsWindow")->enhancedRle());
    EXPECT_EQ(builder.textId(), 7);
    EXPECT_EQ(builder.text(3), "Bitte warten");
    EXPECT_EQ(builder.text(8), "All OK");
    EXPECT_EQ(builder.yesChars(), "jy");
    EXPECT_EQ(builder.target(), PatcherTarget::Native);

    builder.setTextId(-1);
    main.close();
    const std::string ini = settingsText();
    EXPECT_NE(ini.find("[ObjTrans]\r\nEnhRLE=0\r\n"), std::string::npos);
    EXPECT_NE(ini.find("TextID=-1"), std::string::npos);
    EXPECT_NE(ini.find("Text3=Bitte warten"), std::string::npos);
    EXPECT_NE(ini.find("YesChars=jy\r\nTarget=native\r\n"), std::string::npos) << ini;
}

TEST_F(ObjectWindowsWiring, NewSectionsFollowTheSettingsOrder) {
    writeGame();
    writeSettings();
    MainWindow& main = start();
    child<ObjectTextsWindow>("objectTextsWindow")->setEnhancedRle(false);
    main.close();
    const std::string ini = settingsText();
    const auto pluginLang = ini.find("[PluginLang]\r\nLeft=-1\r\nTop=0\r\n");  // never shown
    const auto objTrans = ini.find("[ObjTrans]\r\nLeft=-1\r\n");
    const auto exeSettings = ini.find("[EXESettings]\r\nTextID=-1\r\nEnhRLE=1\r\nText0=");
    ASSERT_NE(pluginLang, std::string::npos) << ini;
    EXPECT_LT(pluginLang, objTrans);
    EXPECT_LT(objTrans, exeSettings);
    EXPECT_NE(ini.find("IsMaximized=0\r\nEnhRLE=0\r\n"), std::string::npos) << ini;
    // Without a stored target the builder's default is written, after the other keys.
    const std::string target(patcherTargetName(defaultPatcherTarget()));
    EXPECT_NE(ini.find("YesChars=y\r\nTarget=" + target + "\r\n"), std::string::npos) << ini;
}

TEST_F(ObjectWindowsWiring, TheTranslationWindowKeepsItsPlacement) {
    writeGame();
    writeSettings(
        "[ObjTrans]\r\nLeft=50\r\nTop=60\r\nWidth=500\r\nHeight=300\r\n"
        "[PluginLang]\r\nLeft=70\r\nTop=80\r\n");
    MainWindow& main = start();
    EXPECT_EQ(child<ObjectTextsWindow>("objectTextsWindow")->geometry(), QRect(50, 60, 500, 300));
    EXPECT_EQ(child<ObjectLanguageDialog>("objectLanguageDialog")->pos(), QPoint(70, 80));
    child<ObjectTextsWindow>("objectTextsWindow")->setGeometry(55, 65, 500, 300);
    main.close();
    const std::string ini = settingsText();
    EXPECT_NE(ini.find("[ObjTrans]\r\nLeft=55\r\nTop=65\r\nWidth=500\r\nHeight=300\r\n"),
              std::string::npos)
        << ini;
    EXPECT_NE(ini.find("[PluginLang]\r\nLeft=70\r\nTop=80\r\n"), std::string::npos) << ini;
}

TEST_F(ObjectWindowsWiring, PluginLangOkMarksTheTextsModified) {
    writeGame();
    writeSettings();
    MainWindow& main = start();
    ASSERT_FALSE(main.document().modified());
    prompter.onDialog([](QDialog& dialog) {
        childByName<QLineEdit>(dialog, "primaryEdit")->setText("300");
        childByName<QPushButton>(dialog, "okButton")->click();
    });
    action("objectLanguageAction")->trigger();
    EXPECT_TRUE(main.document().modified());
    EXPECT_EQ(main.document().primaryLangId(), 254);
    EXPECT_TRUE(action("saveAction")->isEnabled());
}

TEST_F(ObjectWindowsWiring, TransObjShowsTheFilesBesideTheTranslatedExecutable) {
    writeGame();
    writeSettings();
    fs::create_directories(transPath.parent_path() / "objdata");
    writeFileAtomically(transPath.parent_path() / "objdata" / "SWORD.DAT",
                        makeSampleObjectFile(3, 1, {{{0, "Sword"}}}, {'S', 'W', 'O', 'R', 'D'}, 1));
    start();
    int files = -1;
    QString status;
    prompter.onDialog([&](QDialog& d) {
        auto& window = static_cast<ObjectTextsWindow&>(d);
        processEventsUntil([&] { return window.statusText().endsWith("loaded successfully"); });
        files = childByName<QTreeWidget>(window, "objectTree")->topLevelItem(0)->childCount();
        status = window.statusText();
        childByName<QPushButton>(window, "closeButton")->click();
    });
    action("objectTextsAction")->trigger();
    EXPECT_EQ(files, 1);
    EXPECT_EQ(status, "1 files loaded successfully");
    EXPECT_FALSE(child<ObjectTextsWindow>("objectTextsWindow")->isVisible());
    EXPECT_TRUE(child<ObjectTextsWindow>("objectTextsWindow")->document().files().empty());
}

}  // namespace
}  // namespace tarn
