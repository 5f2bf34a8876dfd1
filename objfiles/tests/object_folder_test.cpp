#include "objfiles/object_folder.h"

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
    std::vector<ObjFile> files;
    loadObjectFolder(objData, files, [&](std::size_t i, std::size_t n, const std::string& name) {
        progress.push_back(std::to_string(i) + "/" + std::to_string(n) + " " + name);
    });
    EXPECT_EQ(progress, (std::vector<std::string>{"0/2 A.dat", "1/2 b.DAT"}));
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].FileName, "A.dat");
    EXPECT_EQ(files[0].Encoding, 3);
    EXPECT_EQ(files[1].Texts, texts);
}

TEST(ObjectFolder, ABadFileStopsLoadingAndKeepsTheFilesBeforeIt) {
    TempDir dir;
    writeFileAtomically(dir.path() / "a.dat", makeSampleObjectFile(2, 0, {}, kName, 1));
    writeFileAtomically(dir.path() / "b.dat", makeSampleObjectFile(2, 0, {}, kName, 1, 0));
    writeFileAtomically(dir.path() / "c.dat", makeSampleObjectFile(2, 0, {}, kName, 1));
    // Cut b.dat inside its only table: its end marker goes missing.
    Bytes b = readWholeFile(dir.path() / "b.dat");
    b.pop_back();
    writeU32LE(b.data() + 17, static_cast<std::uint32_t>(b.size() - kObjectHeaderSize));
    writeFileAtomically(dir.path() / "b.dat", b);
    std::vector<ObjFile> files;
    EXPECT_THROW(loadObjectFolder(dir.path(), files), StreamReadError);
    EXPECT_EQ(files.size(), 1u);
}

TEST(ObjectFolder, SavingRereadsTheFileAndKeepsItsEncodingAndOtherBytes) {
    TempDir dir;
    const fs::path path = dir.path() / "x.dat";
    writeFileAtomically(path, makeSampleObjectFile(0, 1, {{{0, "a"}}, {}, {{1, "c"}}}, kName, 9));
    ObjFile object = loadObjectFile(path);
    object.Texts[1].push_back({7, "new"});
    object.Modified = true;
    saveObjectFile(path, object, true);
    EXPECT_FALSE(object.Modified);
    const ObjFile back = loadObjectFile(path);
    EXPECT_EQ(back.Texts, object.Texts);
    EXPECT_EQ(back.Encoding, 1);
    EXPECT_EQ(back.Flags, object.Flags);

    // A file that cannot be rewritten stays as it was.
    const Bytes before = readWholeFile(path);
    object.Texts.resize(4);
    EXPECT_THROW(saveObjectFile(path, object, true), StreamReadError);
    EXPECT_EQ(readWholeFile(path), before);
}

}  // namespace
}  // namespace tarn
