// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/patch_builder/build_patch.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>
#include <cstdlib>
#include <utility>

#include "app/patch_builder/patch_builder_dialog.h"
#include "app/widgets/scripted_prompter.h"
#include "app/widgets/test_support/child_by_name.h"
#include "app/widgets/test_support/sample_object_game.h"
#include "app/widgets/test_support/test_application.h"
#include "common/file_io.h"
#include "enduser/carried_patcher.h"
#include "enduser/exe_texts_resource.h"
#include "exetext/sample_executable.h"
#include "exetext/sample_texts.h"
#include "enduser/message_table.h"
#include "enduser/object_texts.h"
#include "enduser/resource_bundle.h"
#include "objfiles/object_folder.h"

namespace tarn {
namespace {

const ObjectFileTexts kOld{{{0, "Sword"}, {5, "Schwert"}}};
const ObjectFileTexts kNew{{{0, "Sword"}, {5, "Klinge"}, {14, "Kard"}}};

class PatchBuilderTest : public ::testing::Test {
protected:
    PatchBuilderTest() {
        // The object SampleObjectGame makes first, with new texts.
        files.push_back(
            {"SWORD.DAT", {'O', 'B', 'J', 'E', 'C', 'T', '0', '0'}, 1, kNew, 0, false, {}});
        frontEnd.panel = &panel;
        // The native TarnPatch for every target, so that the built program runs here.
        frontEnd.carriedProgram = [](PatcherTarget) {
            return std::optional<Bytes>(readWholeFile(TARNPATCH_PATH));
        };
        frontEnd.status = [this](const QString& text) {
            statuses.push_back(text);
            EXPECT_FALSE(panel.isEnabled());
        };
        frontEnd.created = [this](const QString& file) { createdFiles.push_back(file); };
    }

    // The settings dialog picks target in the save dialog and closes with OK.
    void chooseTarget(const std::filesystem::path& path,
                      std::function<void(PatchBuilderDialog&)> adjust = {}) {
        prompter.onDialog([adjust](QDialog& d) {
            auto& dialog = static_cast<PatchBuilderDialog&>(d);
            if (adjust) {
                adjust(dialog);
            }
            childByName<QPushButton>(dialog, "createButton")->click();
        });
        prompter.onDialog([path](QDialog& d) {
            auto& save = static_cast<QFileDialog&>(d);
            save.selectFile(QString::fromStdString(path.string()));
            d.accept();  // QFileDialog's own accept, which takes the typed name
        });
    }
    bool build() { return createEndUserExecutable(settings, files, frontEnd); }
    void expectPanelRestored() {
        EXPECT_TRUE(panel.isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    QApplication& app = testApplication();
    TempDir dir;
    ScriptedPrompter prompter;
    PatchBuilderDialog settings;
    QWidget panel;
    std::vector<ObjectFile> files;
    BuildFrontEnd frontEnd;
    std::vector<QString> statuses;
    std::vector<QString> createdFiles;  // as the window's status tooltip names them
};

TEST_F(PatchBuilderTest, TheBuiltProgramRunsAndChangesAGamesTexts) {
    chooseTarget(dir.path() / "patch", [](PatchBuilderDialog& s) {
        s.setTextId(5);
        s.setYesChars("jy");
    });
    ASSERT_TRUE(build());
    // A name without a suffix gets ".exe" for Windows only.
    const auto target =
        dir.path() / (settings.target() == PatcherTarget::Windows ? "patch.exe" : "patch");
    EXPECT_EQ(statuses.back(), kExecutableCreated);
    EXPECT_EQ(createdFiles, std::vector<QString>{
                                QDir::toNativeSeparators(QString::fromStdString(target.string()))});
    EXPECT_EQ(statuses.front(), "Writing executable file...");
    expectPanelRestored();
    EXPECT_TRUE(prompter.messages().empty());
    ASSERT_TRUE(fileExists(target));
    EXPECT_EQ(settings.fileName().toStdString(), target.string());

    const ResourceBundle bundle = ResourceBundle::parse(readWholeFile(target));
    EXPECT_EQ(loadString(bundle, 11), u"jy");
    const Bytes* texts = bundle.find({kRawDataType, ResourceName::string(kObjectTextsName), 0});
    ASSERT_NE(texts, nullptr);
    EXPECT_EQ(*texts, writeObjectTexts(files, {5, true}));

    // An end user's game with the old texts.
    SampleObjectGame game;
    game.add("sword.dat", 1, 1, kOld);
    const std::string command = "cd '" + game.exePath().parent_path().string() +
                                "' && printf 'j\\n\\n' | '" + target.string() +
                                "' > output.txt 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(loadObjectFile(game.file("sword.dat")).texts[0],
              (ObjectTextGroup{{0, "Sword"}, {5, "Klinge"}}));
}

TEST_F(PatchBuilderTest, TheExecutablesTextsGoAlongWhenBothExecutablesAreSet) {
    auto* include = childByName<QCheckBox>(settings, "includeExecutableCheck");
    EXPECT_FALSE(include->isEnabled());
    std::vector<std::string> texts = sampleTexts();
    writeFileAtomically(dir.path() / "original.exe", makeSampleExecutable(2, texts));
    texts[0] = "Witaj";
    writeFileAtomically(dir.path() / "translated.exe", makeSampleExecutable(2, texts, 14));
    const QString original = QString::fromStdString((dir.path() / "original.exe").string());
    const QString translated = QString::fromStdString((dir.path() / "translated.exe").string());
    settings.setExecutables(original, translated, false);
    EXPECT_TRUE(include->isEnabled() && include->isChecked());

    chooseTarget(dir.path() / "patch.exe");
    ASSERT_TRUE(build()) << prompter.messages().size();
    const ResourceBundle bundle = ResourceBundle::parse(readWholeFile(dir.path() / "patch.exe"));
    const Bytes* carried = bundle.find({kRawDataType, ResourceName::string(kExeTextsName), 0});
    ASSERT_NE(carried, nullptr);
    const CarriedExeTexts exe = readCarriedExeTexts(
        *carried, *bundle.find({kRawDataType, ResourceName::string(kObjectTextsName), 0}));
    ASSERT_EQ(exe.texts.size(), 1u);
    EXPECT_EQ(exe.texts[0].translated, "Witaj");
    EXPECT_EQ(exe.primaryLangId, 14);

    // Left out by the translator, it stays out for the same pair; a new pair brings it back.
    include->setChecked(false);
    settings.setExecutables(original, translated, false);
    EXPECT_FALSE(settings.includedExecutables());
    settings.setExecutables(translated, original, false);
    EXPECT_TRUE(settings.includedExecutables());
    settings.setExecutables(original, {}, false);
    EXPECT_FALSE(include->isEnabled());
    EXPECT_FALSE(settings.includedExecutables());
}

TEST_F(PatchBuilderTest, ProgramWithoutTheCarriedResourceReportsItAndWritesNothing) {
    // Only the chosen target's program is missing.
    std::vector<PatcherTarget> asked;
    frontEnd.carriedProgram = [&asked](PatcherTarget t) {
        asked.push_back(t);
        return t == defaultPatcherTarget() ? std::nullopt
                                           : std::optional<Bytes>(readWholeFile(TARNPATCH_PATH));
    };
    chooseTarget(dir.path() / "patch.exe");
    EXPECT_FALSE(build());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "End-user translator resource isn't found!\r\nYour executable may be corrupt");
    EXPECT_EQ(prompter.messages()[0].caption, "Resource not found");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(dir.fileCount(), 0u);
    expectPanelRestored();
    EXPECT_EQ(asked, std::vector<PatcherTarget>{defaultPatcherTarget()});
}

TEST_F(PatchBuilderTest, TheBuiltProgramIsACopyOfTheChosenTargetsCarriedProgram) {
    frontEnd.carriedProgram = carriedPatcher;
    auto buildFor = [this](const char* name, const std::filesystem::path& target) {
        PatchBuilderDialog fresh;  // its save dialog starts without a chosen file
        chooseTarget(target, [name](PatchBuilderDialog& s) { s.setTarget(name); });
        EXPECT_TRUE(createEndUserExecutable(fresh, files, frontEnd));
        return readWholeFile(target);
    };
    const Bytes native = readWholeFile(TARNPATCH_PATH);
    const Bytes forNative = buildFor("native", dir.path() / "native.exe");
    ASSERT_GT(forNative.size(), native.size());
    EXPECT_TRUE(std::equal(native.begin(), native.end(), forNative.begin()));

    if (!carriesPatcher(PatcherTarget::Windows)) {
        GTEST_SKIP() << "this build carries no Windows TarnPatch";
    }
    const Bytes windows = *carriedPatcher(PatcherTarget::Windows);
    const Bytes forWindows = buildFor("windows", dir.path() / "windows.exe");
    ASSERT_GT(forWindows.size(), windows.size());
    EXPECT_EQ(forWindows[0], 'M');
    EXPECT_EQ(forWindows[1], 'Z');
    EXPECT_TRUE(std::equal(windows.begin(), windows.end(), forWindows.begin()));
    EXPECT_EQ(statuses.back(), kExecutableCreated);
}

TEST_F(PatchBuilderTest, AModelTheLayoutCannotHoldIsRefusedAndNothingIsWritten) {
    files.push_back({std::string(256, 'n') + ".dat", {}, 1, kNew, 0, false, {}});
    chooseTarget(dir.path() / "patch.exe");
    EXPECT_FALSE(build());
    ASSERT_EQ(prompter.messages().size(), 1u);
    const QString text = prompter.messages()[0].text;
    EXPECT_TRUE(
        text.startsWith("The following error occured while trying to put data in the "
                        "executable:\r\nUpdateResource:The file name"))
        << text.toStdString();
    EXPECT_EQ(prompter.messages()[0].caption, "Error preparing executable");
    EXPECT_EQ(statuses.back(), kExecutableNotCreated);
    EXPECT_EQ(dir.fileCount(), 0u);
    expectPanelRestored();
}

TEST_F(PatchBuilderTest, ALanguageIdThatNoTextHasIsRefusedAndNothingIsWritten) {
    chooseTarget(dir.path() / "patch.exe", [](PatchBuilderDialog& s) { s.setTextId(9); });
    EXPECT_FALSE(build());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "No object file has a text with language ID 9: the end-user program would change "
              "nothing. Choose a language ID that the texts use, or all texts.");
    EXPECT_EQ(prompter.messages()[0].caption, "No texts to carry");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(statuses.back(), kExecutableNotCreated);
    EXPECT_EQ(dir.fileCount(), 0u);
    expectPanelRestored();
}

TEST_F(PatchBuilderTest, ADamagedCarriedProgramIsReportedAsAFailedUpdateStart) {
    frontEnd.carriedProgram = [](PatcherTarget) {
        Bytes program{'M', 'Z', 0, 0};
        const char magic[] = "TARNRSC1";
        program.insert(program.end(), 16, 0xEE);
        program.insert(program.end(), magic, magic + 8);
        return std::optional<Bytes>(program);
    };
    chooseTarget(dir.path() / "patch.exe");
    EXPECT_FALSE(build());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_TRUE(prompter.messages()[0].text.contains("\r\nBeginUpdateResource:The resources"));
    EXPECT_EQ(statuses.back(), kExecutableNotCreated);
    EXPECT_EQ(dir.fileCount(), 0u);
}

TEST_F(PatchBuilderTest, AFailedWriteLeavesNoHalfBuiltProgramAndKeepsAnOldOne) {
    const auto target = dir.path() / "patch.exe";
    writeFileAtomically(target, Bytes{'o', 'l', 'd'});
    for (const WriteFault fault :
         {WriteFault{WriteFault::Step::CreateTemporary, 0},
          WriteFault{WriteFault::Step::WriteData, 100}, WriteFault{WriteFault::Step::Rename, 0}}) {
        prompter.clear();
        chooseTarget(target);
        prompter.answer(MessageAnswer::Yes);  // replace it
        setWriteFaultForTesting(fault);
        EXPECT_FALSE(build());
        setWriteFaultForTesting({});
        const auto messages = prompter.messages();
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].caption, "Confirm Save As");
        EXPECT_TRUE(messages[1].text.startsWith(
            "The following error occured while trying to write the file:\r\n"));
        EXPECT_EQ(messages[1].caption, "File write error");
        EXPECT_EQ(readWholeFile(target), (Bytes{'o', 'l', 'd'}));
        EXPECT_EQ(dir.fileCount(), 1u);
        EXPECT_EQ(statuses.back(), kExecutableNotCreated);
        expectPanelRestored();
    }
}

TEST_F(PatchBuilderTest, CancellingWritesNothing) {
    // Cancelling the save dialog keeps the settings open; then Cancel closes them.
    prompter.onDialog([](QDialog& d) {
        childByName<QPushButton>(d, "createButton")->click();
        EXPECT_TRUE(d.isVisible());
        childByName<QPushButton>(d, "cancelButton")->click();
    });
    prompter.onDialog([](QDialog& d) { d.reject(); });
    EXPECT_FALSE(build());
    EXPECT_TRUE(statuses.empty());
    EXPECT_EQ(dir.fileCount(), 0u);
    EXPECT_EQ(prompter.unusedEntries(), 0u);
}

TEST_F(PatchBuilderTest, SettingsFollowTheStoredValues) {
    auto* oneIdRadio = childByName<QRadioButton>(settings, "oneIdRadio");
    auto* allTextsRadio = childByName<QRadioButton>(settings, "allTextsRadio");
    auto* idEdit = childByName<QLineEdit>(settings, "idEdit");
    settings.setTextId(7);
    EXPECT_TRUE(oneIdRadio->isChecked());
    EXPECT_TRUE(idEdit->isEnabled());
    EXPECT_EQ(idEdit->text(), "7");
    EXPECT_EQ(settings.textId(), 7);
    settings.setTextId(-1);
    EXPECT_TRUE(allTextsRadio->isChecked());
    EXPECT_FALSE(idEdit->isEnabled());
    EXPECT_EQ(settings.textId(), -1);

    // Rows 0 to 10 are messages 0 to 10, rows 11 to 30 messages 12 to 31.
    EXPECT_EQ(childByName<QTableWidget>(settings, "messagesTable")->rowCount(), 31);
    EXPECT_EQ(settings.text(3), "Processing files, please be patient...");
    EXPECT_EQ(settings.text(12), "%1 file(s) restored");
    EXPECT_EQ(settings.text(15), "Nothing was changed.");
    EXPECT_EQ(settings.text(16), "Tarn Object Text Changer");
    EXPECT_EQ(settings.text(18), "Restore anyway? [Y/N]");
    // A stored message 2 as the former default shows the current one; own wording stays.
    settings.setText(
        2, QStringLiteral("This program is going to modify some Tarn files so that they include "
                          "texts needed for the translation to work. If you ever want to restore "
                          "the original files (either because this program worked wrong or just "
                          "to go back to the old state), you either have to reinstall the game "
                          "or restore a backup copy of the ObjData directory made _before_ this "
                          "program changes the files. Do you want to continue? [Y/N]"));
    EXPECT_EQ(settings.text(2).toStdString(), defaultMessage(kMsgQuestion));
    settings.setText(2, QStringLiteral("Weiter? [J/N]"));
    EXPECT_EQ(settings.text(2), "Weiter? [J/N]");
    settings.setText(12, QStringLiteral("%1 Datei(en) wiederhergestellt"));
    settings.setText(3, QString());
    const EndUserOptions options = settings.options();
    EXPECT_EQ(options.messages[3], "");
    EXPECT_EQ(options.messages[8], "All OK");
    EXPECT_EQ(options.messages[12], "%1 Datei(en) wiederhergestellt");
    EXPECT_EQ(options.yesChars, "y");
    EXPECT_FALSE(options.texts.onlyId.has_value());
    EXPECT_TRUE(options.texts.enhancedRle);
}

TEST_F(PatchBuilderTest, TheTargetDefaultsToWindowsWhereCarriedAndFallsBackFromAnUnusableName) {
    const bool windows = carriesPatcher(PatcherTarget::Windows);
    auto* windowsTargetRadio = childByName<QRadioButton>(settings, "windowsTargetRadio");
    auto* nativeTargetRadio = childByName<QRadioButton>(settings, "nativeTargetRadio");
    EXPECT_EQ(settings.target(), windows ? PatcherTarget::Windows : PatcherTarget::Native);
    EXPECT_EQ(windowsTargetRadio->isEnabled(), windows);
    EXPECT_TRUE(nativeTargetRadio->isEnabled());

    settings.setTarget("native");
    EXPECT_EQ(settings.target(), PatcherTarget::Native);
    EXPECT_TRUE(nativeTargetRadio->isChecked());
    settings.setTarget("windows");  // chosen where carried, else the default (native)
    EXPECT_EQ(settings.target(), windows ? PatcherTarget::Windows : PatcherTarget::Native);

    for (const char* unusable : {"", "amiga", "Windows", "windows64"}) {
        settings.setTarget("native");
        settings.setTarget(unusable);
        EXPECT_EQ(settings.target(), defaultPatcherTarget()) << unusable;
    }
}

// Yes characters tT with questions that show [Y/N]: the rows are marked, and building asks
// first; No keeps the settings open on the messages, Yes goes on to the save dialog.
TEST_F(PatchBuilderTest, QuestionsShowingOtherAnswerLettersAreMarkedAndWarnedAbout) {
    auto* table = childByName<QTableWidget>(settings, "messagesTable");
    auto marked = [&] {
        std::vector<int> rows;
        for (int row = 0; row < table->rowCount(); ++row) {
            if (!table->item(row, 0)->icon().isNull()) {
                rows.push_back(row);
            }
        }
        return rows;
    };
    EXPECT_TRUE(marked().empty());
    settings.setYesChars(QStringLiteral("tT"));
    EXPECT_EQ(marked(), (std::vector<int>{2, 7, 11, 18, 27}));
    table->item(2, 0)->setText(QStringLiteral("Kontynuowa\u0107? [T/N]"));
    EXPECT_EQ(marked(), (std::vector<int>{7, 11, 18, 27}));

    const auto target = dir.path() / "patch";
    prompter.onDialog([](QDialog& d) {
        childByName<QPushButton>(d, "createButton")->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(childByName<QTabWidget>(d, "pages")->currentWidget(),
                  childByName<QWidget>(d, "textsPage"));
        childByName<QPushButton>(d, "createButton")->click();
    });
    prompter.answer(MessageAnswer::No);
    prompter.answer(MessageAnswer::Yes);
    prompter.onDialog([target](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(QString::fromStdString(target.string()));
        d.accept();
    });
    settings.setTarget("native");
    EXPECT_TRUE(build());
    const auto asked = prompter.messages();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].caption, "Answer letters");
    EXPECT_NE(asked[0].text.indexOf("Message 7: "), -1);
    EXPECT_NE(asked[0].text.indexOf("Message 12: "), -1);
    EXPECT_EQ(asked[0].text.indexOf("Message 2: "), -1);
    EXPECT_TRUE(fileExists(target));  // native: no suffix added
    EXPECT_EQ(prompter.unusedEntries(), 0u);
}

TEST_F(PatchBuilderTest, TheSaveDialogIsMadeWhenNeededAndOffersTheChosenTargetsFilter) {
    // No file dialog (and no listing of a folder) until a file is asked for.
    EXPECT_EQ(settings.findChild<QFileDialog*>(), nullptr);
    const auto offered = [this](const char* target) {
        settings.setTarget(target);
        std::pair<QStringList, QString> seen;
        prompter.onDialog([&seen](QDialog& d) {
            auto& save = static_cast<QFileDialog&>(d);
            EXPECT_EQ(save.objectName(), "saveFileDialog");
            seen = {save.nameFilters(), save.defaultSuffix()};
            d.reject();
        });
        settings.chooseFileAndAccept();
        return seen;
    };
    EXPECT_EQ(offered("native"),
              std::make_pair(QStringList{QStringLiteral("All files (*)")}, QString()));
    if (!carriesPatcher(PatcherTarget::Windows)) {
        GTEST_SKIP() << "this build carries no Windows TarnPatch";
    }
    // The dialog made for the native target follows a change of target.
    EXPECT_EQ(offered("windows"),
              std::make_pair(QStringList{QStringLiteral("Executable files (*.exe)")},
                             QStringLiteral("exe")));
}

}  // namespace
}  // namespace tarn
