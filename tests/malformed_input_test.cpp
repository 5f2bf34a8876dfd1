// SPDX-License-Identifier: GPL-3.0-or-later
// Malformed input at the programs' entry points: every case ends with a clear error (or the
// documented fallback), nothing crashes, nothing is read outside a buffer (the sanitizer build
// runs these too), and no file is changed by a failed operation.
#include <gtest/gtest.h>

#include <sstream>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/profile_file.h"
#include "common/tests/temp_dir.h"
#include "enduser/end_user_program.h"
#include "exetext/string_table_reader.h"
#include "objfiles/object_container.h"
#include "objfiles/object_folder.h"
#include "objfiles/sample_objects.h"
#include "objfiles/text_tables.h"
#include "patcher/tarn_patch.h"
#include "tests/run_child.h"

namespace tarn {
namespace {

const std::array<std::uint8_t, 8> kName{'B', 'R', 'O', 'K', 'E', 'N', '0', '1'};

Bytes objectFile(std::uint32_t flags, std::uint8_t encoding, const Bytes& block,
                 std::uint32_t length) {
    Bytes file(kObjectHeaderSize);
    writeU32LE(file.data(), flags);
    std::copy(kName.begin(), kName.end(), file.begin() + 4);
    file[16] = encoding;
    writeU32LE(file.data() + 17, length);
    file.insert(file.end(), block.begin(), block.end());
    return file;
}

Bytes objectFile(std::uint32_t flags, std::uint8_t encoding, const Bytes& block) {
    return objectFile(flags, encoding, block, static_cast<std::uint32_t>(block.size()));
}

// Decoded data of a type-1 object: 28 object bytes, then the table.
Bytes typeOneData(const Bytes& table) {
    Bytes data(28, 0x11);
    data.insert(data.end(), table.begin(), table.end());
    return data;
}

struct BrokenObject {
    std::string name;
    Bytes file;
};

std::vector<BrokenObject> brokenObjects() {
    const Bytes good = makeSampleObjectFile(1, 1, {{{0, "Sword"}}}, kName, 7);
    std::vector<BrokenObject> cases = {
        {"SHORT.DAT", Bytes(good.begin(), good.begin() + 20)},
        {"CUT.DAT", Bytes(good.begin(), good.end() - 3)},
        {"HUGELEN.DAT", objectFile(1, 0, typeOneData({0, 'a', 0, 0xFF}), 0xFFFFFFFF)},
        {"NOEND.DAT", objectFile(1, 0, typeOneData({0, 'a', 0, 5, 'b', 0}))},
        {"NOTERM.DAT", objectFile(1, 0, typeOneData({0, 'a', 'b', 'c'}))},
        {"NOTABLE.DAT", objectFile(1, 0, Bytes(27, 0xFF))},
        {"BADRLE.DAT", objectFile(1, 1, {0x7F, 'a', 'b'})},
        {"EMPTY.DAT", {}},
    };
    // Every unsupported encoding decodes to no data, so the tables cannot be read.
    for (const unsigned encoding : {2u, 4u, 0x80u, 0xFFu}) {
        cases.push_back({"", objectFile(1, static_cast<std::uint8_t>(encoding),
                                        typeOneData({0, 'a', 0, 0xFF}))});
    }
    // Object types 11 to 15 have no text tables.
    for (std::uint32_t type = 11; type <= 15; ++type) {
        cases.push_back({"", objectFile(0x100 | type, 0, Bytes(600, 0xFF))});
    }
    int n = 0;
    for (BrokenObject& c : cases) {
        if (c.name.empty()) {
            c.name = "ODD" + std::to_string(n++) + ".DAT";
        }
    }
    return cases;
}

// The text of the read error that loading the object file raises.
std::string readErrorOf(const Bytes& file) {
    ObjectFile object;
    try {
        readTextGroups(decodeObjectFile(file, object), object);
    } catch (const StreamReadError& e) {
        return e.what();
    }
    return "(read without error)";
}

TEST(MalformedObjectFiles, EachIsRefusedWithTheReadError) {
    for (const BrokenObject& c : brokenObjects()) {
        // An exactly sized heap copy, so that the sanitizer sees any read past the end.
        const auto copy = std::make_unique<std::uint8_t[]>(c.file.size() + 1);
        std::copy(c.file.begin(), c.file.end(), copy.get());
        ObjectFile object;
        EXPECT_THROW(
            {
                const Bytes decoded = decodeObjectFile(copy.get(), c.file.size(), object);
                readTextGroups(decoded, object);
            },
            StreamReadError)
            << c.name;
    }
}

TEST(MalformedObjectFiles, TheEndUserProgramReportsEachAndChangesOnlyTheGoodFile) {
    TempDir game;
    const fs::path objData = game.path() / "ObjData";
    fs::create_directory(objData);
    std::vector<ObjectFile> records;
    const std::vector<BrokenObject> broken = brokenObjects();
    for (const BrokenObject& c : broken) {
        writeFileAtomically(objData / c.name, c.file);
        ObjectFile record;
        record.fileName = c.name;
        record.texts = {{{0, "new"}}};
        records.push_back(record);
    }
    // A good file with a megabyte of bytes after its data block: read, patched, and written
    // back without them.
    Bytes trailing = makeSampleObjectFile(1, 3, {{{0, "Old"}}}, kName, 8);
    trailing.resize(trailing.size() + (1u << 20), 0xEE);
    writeFileAtomically(objData / "TRAILING.DAT", trailing);
    ObjectFile good = readObjectFile(trailing, "TRAILING.DAT");
    good.texts = {{{0, "new"}}};
    records.push_back(good);

    const Bytes program = buildEndUserProgram(Bytes{'E', 'X', 'E'}, records, {});
    std::string answers = "y\n";
    for (std::size_t i = 0; i < broken.size(); ++i) {
        answers += "y\n";
    }
    answers += "\n";
    std::istringstream input(answers);
    std::ostringstream out;
    TarnPatch patch(ResourceBundle::parse(program), {}, game.path(), input, out);
    EXPECT_EQ(patch.run(), 1);  // errors were counted
    const std::string console = out.str();

    const std::string separator = fs::path("/").make_preferred().string();
    for (const BrokenObject& c : broken) {
        EXPECT_NE(console.find("The following error occured while trying to open ObjData" +
                               separator + c.name + ":\n" + readErrorOf(c.file) + "\n"),
                  std::string::npos)
            << c.name << "\n"
            << console;
        EXPECT_EQ(readWholeFile(objData / c.name), c.file) << c.name;
    }
    EXPECT_NE(
        console.find("Processing finished with " + std::to_string(broken.size()) + " error(s)"),
        std::string::npos);
    const Bytes patched = readWholeFile(objData / "TRAILING.DAT");
    EXPECT_LT(patched.size(), 1000u);
    EXPECT_EQ(loadObjectFile(objData / "TRAILING.DAT").texts, (ObjectFileTexts{{{0, "new"}}}));
}

// Damaged attached texts can carry a zero byte inside a text, which would end the text early
// in the table and leave the object file unreadable: the end-user program refuses to save it.
TEST(MalformedObjectTexts, ATextWithAZeroByteIsASaveErrorAndTheFileStaysWhole) {
    TempDir game;
    const fs::path objData = game.path() / "ObjData";
    fs::create_directory(objData);
    const Bytes original = makeSampleObjectFile(1, 1, {{{0, "Sword"}}}, kName, 4);
    writeFileAtomically(objData / "A.DAT", original);
    ObjectFile record = readObjectFile(original, "A.DAT");
    record.texts = {{{0, std::string("Sch\0wert", 8)}}};
    const Bytes program = buildEndUserProgram(Bytes{'E', 'X', 'E'}, {record}, {});
    std::istringstream input("y\ny\n\n");
    std::ostringstream out;
    TarnPatch patch(ResourceBundle::parse(program), {}, game.path(), input, out);
    EXPECT_EQ(patch.run(), 1);  // errors were counted
    EXPECT_NE(out.str().find("The following error occured while trying to save ObjData" +
                             fs::path("/").make_preferred().string() +
                             "A.DAT:\nThe text with language ID 0 contains a zero byte"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("Processing finished with 1 error(s)"), std::string::npos);
    EXPECT_EQ(readWholeFile(objData / "A.DAT"), original);
}

// A zero byte would end a text in the game's files and lose everything after it. However it
// arrives (a PO escape, the notation's \x00, a raw NUL), every importer refuses the whole file
// with the same message and changes nothing.
TEST(MalformedTexts, AZeroByteInAnyImportIsRefusedAndNothingChanges) {
    const std::string nul(1, '\0');
    auto po = [](const std::string& context, const std::string& msgstr) {
        return "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
               "msgctxt \"" +
               context + "\"\nmsgid \"x\"\nmsgstr \"" + msgstr + "\"\n";
    };
    struct Case {
        const char* what;
        std::string file;
        std::string contents;  // for a texts file: the new first line
        const char* command;
    };
    const Case cases[] = {
        {"PO octal escape", "nul.po", po("exe/0001", "Otw\\0rz"), "exe import-po Tarn.exe nul.po"},
        {"PO long octal", "nul.po", po("exe/0001", "Otw\\000rz"), "exe import-po Tarn.exe nul.po"},
        {"PO hex escape", "nul.po", po("exe/0001", "Otw\\x00rz"), "exe import-po Tarn.exe nul.po"},
        {"notation in PO", "nul.po", po("exe/0001", "Otw\\\\x00rz"),
         "exe import-po Tarn.exe nul.po"},
        {"raw NUL in PO", "nul.po", po("exe/0001", "Otw" + nul + "rz"),
         "exe import-po Tarn.exe nul.po"},
        {"object PO", "nul.po", po("obj/Door.dat/1", "T\\0r"),
         "obj import-po . nul.po --target-id 7"},
        {"object notation", "nul.po", po("obj/Door.dat/1", "T\\\\x00r"),
         "obj import-po . nul.po --target-id 7"},
        {"texts file notation", "texts.txt", "Otw\\x00rz", "exe import Tarn.exe texts.txt"},
        {"texts file raw NUL", "texts.txt", "Otw" + nul + "rz", "exe import Tarn.exe texts.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir game;
        TempDir scratch;
        ASSERT_EQ(runIn(game.path(), tarntool("sample-game ."), "", scratch.path()).code, 0);
        std::string contents = c.contents;
        if (c.file == "texts.txt") {
            ASSERT_EQ(
                runIn(game.path(), tarntool("exe export Tarn.exe -o texts.txt"), "", scratch.path())
                    .code,
                0);
            const std::string texts = toString(readWholeFile(game.path() / "texts.txt"));
            contents += texts.substr(texts.find('\n'));
        }
        writeFileAtomically(game.path() / c.file, toBytes(contents));
        const Bytes exe = readWholeFile(game.path() / "Tarn.exe");
        const Bytes door = readWholeFile(game.path() / "ObjData" / "Door.dat");

        const ChildResult r = runIn(game.path(), tarntool(c.command), "", scratch.path());
        EXPECT_NE(r.code, 0) << r.out;
        EXPECT_NE(r.out.find("A text cannot hold the byte 00"), std::string::npos) << r.out;
        EXPECT_EQ(readWholeFile(game.path() / "Tarn.exe"), exe);
        EXPECT_EQ(readWholeFile(game.path() / "ObjData" / "Door.dat"), door);
    }
}

// Pointers at and past the last byte of the file, for a layout whose text areas reach the
// end of the file and beyond it.
TEST(MalformedExecutables, PointersAtTheLastByteReadSafely) {
    constexpr std::uint32_t kDelta = 0x400000;
    PointerBlockTable blocks{};
    blocks.fill({0, -1});  // no pointers
    blocks[0] = {0, 3};
    const TextAreaTable areas{{16, 63, kDelta}, {64, 4095, kDelta}, {0, -1, 0}, {0, -1, 0}};
    struct Case {
        std::uint32_t address;
        std::uint8_t lastByte;
        bool readError;
        std::string text;
    };
    const Case cases[] = {
        {kDelta + 63, 0, false, ""},                            // the last byte is the terminator
        {kDelta + 63, 'A', true, ""},                           // a text running off the end
        {kDelta + 63, 23, true, ""},                            // a picture whose number is missing
        {kDelta + 64, 0, true, ""},                             // in an area, but past the file
        {kDelta + 4095, 0, true, ""},                           // the last address of that area
        {kDelta + 4096, 0, false, std::string(kNotFoundText)},  // in no area
        {0xFFFFFFFF, 0, false, std::string(kNotFoundText)},
    };
    for (const Case& c : cases) {
        Bytes file(64, 'x');
        writeU32LE(file.data(), c.address);
        file[63] = c.lastByte;
        std::vector<std::string> column;
        std::vector<int> notFound;
        if (c.readError) {
            EXPECT_THROW(readStringTable(file, column, blocks, areas, Notation::CStyle, notFound),
                         StreamReadError)
                << c.address;
        } else {
            readStringTable(file, column, blocks, areas, Notation::CStyle, notFound);
            ASSERT_EQ(column.size(), 1u);
            EXPECT_EQ(column[0], c.text) << c.address;
        }
    }
}

TEST(MalformedExecutables, ExecutablesOfUnknownOrChangedSizeAreRefusedByName) {
    TempDir dir;
    const fs::path original = dir.path() / "orig.exe";
    const fs::path translated = dir.path() / "trans.exe";
    writeFileAtomically(original, Bytes(1000, 0));
    writeFileAtomically(translated, Bytes(1000, 0));
    LoadedExecutables loaded;
    try {
        loadExecutables(original, translated, Notation::Raw, loaded);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(original.string()), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("not a known Tarn executable"), std::string::npos);
    }
    EXPECT_EQ(readWholeFile(translated), Bytes(1000, 0));
}

// The end-user program with a resource bundle whose footer lies about its sizes: it says that
// its resources are damaged and stops, exit code 1, without touching the game.
TEST(MalformedResources, EndUserProgramWithALyingFooterStopsWithItsReason) {
    TempDir dir;
    fs::create_directory(dir.path() / "ObjData");
    const Bytes object = makeSampleObjectFile(1, 0, {{{0, "a"}}}, kName, 1);
    writeFileAtomically(dir.path() / "ObjData" / "A.DAT", object);
    ObjectFile record;
    record.fileName = "A.DAT";
    record.texts = {{{0, "changed"}}};
    const Bytes good = buildEndUserProgram(readWholeFile(TARNPATCH_PATH), {record}, {});
    const std::size_t footer = good.size() - 24;
    const struct {
        std::size_t at;  // footer field offset
        std::uint32_t value;
    } lies[] = {
        {12, 0xFFFFFFF0u},  // bundle larger than the file
        {12, 10},           // bundle smaller than its footer
        {0, 0x7FFFFFFF},    // directory beyond the bundle
        {8, 1000000},       // more entries than the directory holds
    };
    const fs::path program = dir.path() / "patch";
    for (const auto& lie : lies) {
        Bytes bad = good;
        writeU32LE(bad.data() + footer + lie.at, lie.value);
        writeFileAtomically(program, bad, fs::perms::owner_all);
        const ChildResult r =
            runIn(dir.path(), "'" + program.string() + "'", "y\n\n\n", dir.path());
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.out.find("ERROR: No language resources were found, the executable file may be "
                             "corrupt!\nThe resources attached to the executable are damaged: "),
                  std::string::npos)
            << r.out;
        EXPECT_EQ(readWholeFile(dir.path() / "ObjData" / "A.DAT"), object);
    }
}

// Settings files full of garbage read as defaults where they hold nothing usable, and writing
// a value keeps every garbage byte.
TEST(MalformedSettings, GarbageReadsAsDefaultsAndSurvivesWrites) {
    TempDir dir;
    const fs::path path = dir.path() / "tarnedit.ini";
    const std::string garbage[] = {
        std::string("\0\0\0\xFF\xFE", 5) + "[Options\r\nCStyleStrings\n=\n",
        "[]\n[[]]]\n==1\n;CStyleStrings=1\n[Options]garbage\nCStyleStrings=1x\n",
        std::string(1 << 16, 'Z') + "\n[Options]\nFontSize=$\nFontSize2=0x\n",
        std::string("\xFF\xFE[\0O\0O", 7),  // UTF-16 with a cut last character
        "\xEF\xBB\xBF\x1A\x1A\r\r\r\r[Options]\x1A\rCStyleStrings=\"1",
    };
    for (const std::string& text : garbage) {
        writeFileAtomically(path, Bytes(text.begin(), text.end()));
        ProfileFile ini(path);
        EXPECT_EQ(ini.readInteger("Options", "CStyleStrings", 7), 7) << text.substr(0, 40);
        EXPECT_EQ(ini.readInteger("Options", "FontSize", 9), 9);
        EXPECT_EQ(ini.readInteger("Options", "FontSize2", 9), 9);
        EXPECT_EQ(ini.readString("Paths", "Original", "default"), "default");
        ini.writeString("Paths", "Original", "C:\\Tarn.exe");
        ini.save();
        const ProfileFile reread(path);
        EXPECT_EQ(reread.readString("Paths", "Original", ""), "C:\\Tarn.exe");
        if (text.rfind("\xFF\xFE", 0) != 0) {
            const std::string saved = toString(readWholeFile(path));
            EXPECT_EQ(saved.substr(0, text.size()), text);
        }
    }
}

}  // namespace
}  // namespace tarn
