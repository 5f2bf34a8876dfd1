// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's PO commands: export between two language IDs, import into the
// document (written only by Save), and a bad file that changes nothing.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include "app/objects/tests/object_window_fixture.h"
#include "common/tests/temp_dir.h"
#include "exchange/po_file.h"
#include "objfiles/object_folder.h"

namespace tarn {
namespace {

class ObjectPoTest : public ObjectWindowTest {
protected:
    // The IDs dialog: records what it proposes, then takes target (and source when shown).
    void answerIds(int source, int target) {
        prompter.onDialog([this, source, target](QDialog& d) {
            auto* sourceEdit = childByName<QLineEdit>(d, "sourceIdEdit");
            auto* targetEdit = childByName<QLineEdit>(d, "targetIdEdit");
            proposed = {sourceEdit->isVisible() ? sourceEdit->text() : QString(),
                        targetEdit->text()};
            if (sourceEdit->isVisible()) {
                sourceEdit->setText(QString::number(source));
            }
            targetEdit->setText(QString::number(target));
            childByName<QPushButton>(d, "okButton")->click();
        });
    }
    void answerFile(const std::filesystem::path& path) {
        prompter.onDialog([this, path](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            proposedName = QFileInfo(files.selectedFiles().value(0)).fileName();
            files.selectFile(QString::fromStdString(path.string()));
            d.accept();
        });
    }
    void click(const char* button) { childByName<QPushButton>(window, button)->click(); }
    const ObjectTextGroup& group(std::size_t g) const { return window.document().group(0, g); }
    QString lastMessage() const { return prompter.messages().back().text; }
    void writeMessages(const std::vector<PoEntry>& entries) {
        writePoFile(po, {{"Content-Type", "text/plain; charset=UTF-8"}}, entries);
    }

    TempDir dir;
    std::filesystem::path po = dir.path() / "sword.po";
    QStringList proposed;
    QString proposedName;  // the file name the file dialog started with
};

PoEntry message(std::string context, std::string translation) {
    return {std::move(context), true, "x", std::move(translation), {}, false};
}

TEST_F(ObjectPoTest, ExportsBetweenTwoIdsAndImportsIntoTheDocument) {
    game.add("SWORD.DAT", 0, 1, {{{0, "Sword"}, {5, "Schwert"}}, {{0, "A blade"}}, {{0, "Sharp"}}});
    window.setPrimaryLanguageId(5);
    window.setPoFolder(dir.path().string());
    window.setPoHeaderValues("de", "");
    open();
    answerIds(0, 5);
    answerFile(po);
    click("objectExportPoButton");
    EXPECT_EQ(proposed, (QStringList{"0", "5"}));  // 0 and the primary language ID
    EXPECT_EQ(proposedName, "objects-de.po");
    PoReadResult read = readPoFile(po);
    const PoHeaderFields::value_type language{"Language", "de"};
    EXPECT_NE(std::find(read.header.begin(), read.header.end(), language), read.header.end());
    ASSERT_EQ(read.entries.size(), 3u);
    EXPECT_EQ(read.entries[0].context, "obj/SWORD.DAT/1");
    EXPECT_EQ(read.entries[0].translation, "Schwert");
    EXPECT_EQ(read.entries[1].translation, "");

    root().child(0).child(1).makeCurrent();  // the group imported into
    const Bytes onDisk = game.bytes("SWORD.DAT");
    writeMessages({message("obj/SWORD.DAT/1", "Schwert"), message("obj/SWORD.DAT/2", "Klinge"),
                   message("obj/SWORD.DAT/3", "")});
    answerIds(0, 5);
    answerFile(po);
    click("objectImportPoButton");
    EXPECT_EQ(proposed, (QStringList{"", "5"}));  // an import asks the target alone
    EXPECT_EQ(lastMessage(), "applied 1, unchanged 1, untranslated 1, fuzzy 0, unknown 0");
    EXPECT_EQ(group(1), (ObjectTextGroup{{0, "A blade"}, {5, "Klinge"}}));
    EXPECT_EQ(grid()->text(1, 1), "Klinge");
    EXPECT_TRUE(window.document().isModified(0));
    EXPECT_TRUE(childByName<QPushButton>(window, "saveButton")->isEnabled());
    EXPECT_EQ(window.statusText(), "applied 1, unchanged 1, untranslated 1, fuzzy 0, unknown 0");
    EXPECT_EQ(game.bytes("SWORD.DAT"), onDisk);  // written by Save only

    // A bad message rejects the whole file, unless the good ones are taken.
    writeMessages({message("obj/SWORD.DAT/2", "Schneide"), message("obj/SWORD.DAT/3", "\\c")});
    answerIds(0, 5);
    answerFile(po);
    click("objectImportPoButton");  // the question answered No
    EXPECT_EQ(lastMessage(),
              "Nothing was imported: the file has 1 problem.\n"
              "obj/SWORD.DAT/3: \\c sequence without color specifier at the end "
              "of the text\n\nImport the 1 good entry and skip 1?");
    EXPECT_EQ(prompter.messages().back().icon, MessageIcon::Question);
    EXPECT_EQ(group(1), (ObjectTextGroup{{0, "A blade"}, {5, "Klinge"}}));
    EXPECT_EQ(group(2), (ObjectTextGroup{{0, "Sharp"}}));
    answerIds(0, 5);
    answerFile(po);
    prompter.answer(MessageAnswer::Yes);
    click("objectImportPoButton");
    EXPECT_EQ(group(1), (ObjectTextGroup{{0, "A blade"}, {5, "Schneide"}}));
    EXPECT_EQ(prompter.messages().back().icon, MessageIcon::Information);

    click("saveButton");
    EXPECT_EQ(loadObjectFile(game.file("SWORD.DAT")).texts[1],
              (ObjectTextGroup{{0, "A blade"}, {5, "Schneide"}}));
    EXPECT_EQ(std::filesystem::path(window.poFolder()), dir.path());  // either separator
    EXPECT_TRUE(prompter.mismatches().empty());
}

// An import is one step: undone at once over every file it changed. Saved with one of its
// files read-only, it writes none of them.
TEST_F(ObjectPoTest, AnImportIsOneStepAndItsSaveWritesAllFilesOrNone) {
    for (const char* name : {"A.DAT", "B.DAT", "C.DAT"}) {
        game.add(name, 2, 1, {{{0, name}}});
    }
    open();
    writeMessages(
        {message("obj/A.DAT/1", "a"), message("obj/B.DAT/1", "b"), message("obj/C.DAT/1", "c")});
    answerIds(0, 7);
    answerFile(po);
    click("objectImportPoButton");
    EXPECT_EQ(window.document().modifiedFiles(), (std::vector<std::size_t>{0, 1, 2}));

    auto* undo = childByName<QAction>(window, "objectUndoAction");
    EXPECT_EQ(undo->text(), "Undo PO import (3 texts)");
    undo->trigger();
    EXPECT_FALSE(window.document().anyModified());
    EXPECT_EQ(window.document().group(1, 0), (ObjectTextGroup{{0, "B.DAT"}}));
    childByName<QAction>(window, "objectRedoAction")->trigger();
    EXPECT_EQ(window.document().group(1, 0), (ObjectTextGroup{{0, "B.DAT"}, {7, "b"}}));

    std::vector<Bytes> before;
    for (const char* name : {"A.DAT", "B.DAT", "C.DAT"}) {
        before.push_back(game.bytes(name));
    }
    std::filesystem::permissions(game.file("B.DAT"), std::filesystem::perms::owner_read);
    click("saveButton");
    EXPECT_EQ(prompter.messages().back().icon, MessageIcon::Error);
    EXPECT_TRUE(lastMessage().contains("B.DAT: the file is read-only"))
        << lastMessage().toStdString();
    EXPECT_EQ((std::vector<Bytes>{game.bytes("A.DAT"), game.bytes("B.DAT"), game.bytes("C.DAT")}),
              before);
    EXPECT_EQ(window.document().modifiedFiles(), (std::vector<std::size_t>{0, 1, 2}));

    std::filesystem::permissions(game.file("B.DAT"), std::filesystem::perms::owner_all);
    click("saveButton");
    EXPECT_FALSE(window.document().anyModified());
    EXPECT_EQ(loadObjectFile(game.file("C.DAT")).texts[0], (ObjectTextGroup{{0, "C.DAT"}, {7, "c"}}));
}

}  // namespace
}  // namespace tarn
