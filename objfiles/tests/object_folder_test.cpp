#include "objfiles/object_folder.h"
#include "objfiles/object_texts_document.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/tests/temp_dir.h"
#include "objfiles/object_container.h"
#include "objfiles/sample_objects.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'O', 'B', 'J', '0', '0', '0', '0', '1'};

TEST(ObjectFolder, LoadsEveryDatFileInUpperCasedNameOrderWhateverTheFolderCase) {
    TempDir game;
    const fs::path objData = game.path() / "OBJDATA";
    fs::create_directory(objData);
    const ObjFileTexts texts{{{0, "Sword"}, {5, "Schwert"}}};
    writeFileAtomically(objData / "b.DAT", makeSampleObjectFile(1, 1, texts, kName, 1));
    writeFileAtomically(objData / "A.dat", makeSampleObjectFile(3, 3, texts, kName, 2));
    writeFileAtomically(objData / "notes.txt", Bytes{1});

    EXPECT_EQ(findObjDataFolder(game.path() / "Tarn.exe"), objData);
    EXPECT_EQ(findObjDataFolder(game.path()), objData);
    EXPECT_FALSE(findObjDataFolder(objData).has_value());

    std::vector<std::string> progress;
    ObjectTextsDocument document;
    const std::vector<std::string> problems =
        document.loadFolder(objData, [&](std::size_t i, std::size_t n, const std::string& name) {
            progress.push_back(std::to_string(i) + "/" + std::to_string(n) + " " + name);
        });
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(progress, (std::vector<std::string>{"0/2 A.dat", "1/2 b.DAT"}));
    const std::vector<ObjFile>& files = document.files();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].fileName, "A.dat");
    EXPECT_EQ(files[0].encoding, 3);
    EXPECT_EQ(files[1].texts, texts);
}

TEST(ObjectFolder, SavingRereadsTheFileAndKeepsItsEncodingAndOtherBytes) {
    TempDir dir;
    const fs::path path = dir.path() / "x.dat";
    writeFileAtomically(path, makeSampleObjectFile(0, 1, {{{0, "a"}}, {}, {{1, "c"}}}, kName, 9));
    ObjectTextsDocument document;
    ASSERT_TRUE(document.loadFolder(dir.path()).empty());
    const ObjFile original = document.file(0);
    document.setText(0, 1, document.addLanguageId(0, 1, 7).row, "new");
    EXPECT_TRUE(document.saveModified().ok());
    EXPECT_FALSE(document.isModified(0));
    const ObjFile back = loadObjectFile(path);
    EXPECT_EQ(back.texts, (ObjFileTexts{{{0, "a"}}, {{7, "new"}}, {{1, "c"}}}));
    EXPECT_EQ(back.encoding, 1);
    EXPECT_EQ(back.flags, original.flags);

    // A file that no longer decodes when it is read back for saving stays as it was.
    Bytes damaged = readWholeFile(path);
    damaged[16] = kEncodingUnsupported;
    writeFileAtomically(path, damaged);
    document.setText(0, 0, 0, "b");
    EXPECT_EQ(document.saveModified().problems.size(), 1u);
    EXPECT_TRUE(document.isModified(0));
    EXPECT_EQ(readWholeFile(path), damaged);
}

}  // namespace
}  // namespace tarn
