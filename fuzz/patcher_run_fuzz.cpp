// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: the end-user program, run with any OBJTEXTS data over a small game folder, never
// crashes, never writes outside ObjData, its backup folder and the digest list beside it (names
// such as "../x" are refused), leaves no temporary file behind, keeps only originals byte for
// byte, and leaves every object file either as it was or rewritten whole: it still decodes and
// reads with the same number of text tables.
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "common/file_io.h"
#include "enduser/message_table.h"
#include "enduser/object_texts.h"
#include "enduser/resource_bundle.h"
#include "fuzz/fuzz_check.h"
#include "objfiles/object_folder.h"
#include "objfiles/sample_objects.h"
#include "patcher/tarn_patch.h"

using namespace tarn;

namespace {

namespace fs = std::filesystem;

struct Game {
    fs::path root;    // holds outside.dat and the game folder
    fs::path folder;  // the game folder, holding ObjData and its own outside.dat
    fs::path objData;
    std::vector<std::pair<std::string, Bytes>> objects;
    Bytes outside{'k', 'e', 'e', 'p'};

    ~Game() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

const Game& game() {
    static const Game g = [] {
        Game g;
        std::error_code ec;
        const fs::path base =
            fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        g.root = base / ("tarn-patch-fuzz-" + std::to_string(::getpid()));
        g.folder = g.root / "game";
        g.objData = g.folder / "ObjData";
        const std::array<std::uint8_t, 8> name{'F', 'U', 'Z', 'Z', '0', '0', '0', '1'};
        g.objects = {
            {"A.DAT", makeSampleObjectFile(1, 1, {{{0, "Sword"}, {1, "Epee"}}}, name, 1, 16)},
            {"b.dat", makeSampleObjectFile(10, 3, {{{0, "x"}}, {}, {{0, "z"}}}, name, 2, 16)},
            {"C.DAT", makeSampleObjectFile(4, 0, {{{5, "Door"}}}, name, 3, 16)},
        };
        return g;
    }();
    return g;
}

void resetGame(const Game& g) {
    fs::remove_all(g.root);
    fs::create_directories(g.objData);
    writeFileAtomically(g.root / "outside.dat", g.outside);
    writeFileAtomically(g.folder / "outside.dat", g.outside);
    for (const auto& [name, bytes] : g.objects) {
        writeFileAtomically(g.objData / name, bytes);
    }
}

std::size_t entries(const fs::path& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) {
        ++n;
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Game& g = game();
    resetGame(g);
    ResourceBundle resources;
    resources.put({kStringTableType, ResourceName::number(kMessageTableName), 0},
                  buildMessageTableBlock(defaultMessages(), kDefaultYesChars));
    resources.put({kRawDataType, ResourceName::string(kObjectTextsName), 0}, Bytes(data, data + size));

    std::string answers = "y\n";
    for (int i = 0; i < 64; ++i) {
        answers += "y\n";
    }
    std::istringstream in(answers);
    std::ostringstream out;
    TarnPatch patch(std::move(resources), {}, g.folder, in, out);
    const int code = patch.run();
    FUZZ_CHECK(code == 0 || code == 1);

    FUZZ_CHECK(readWholeFile(g.root / "outside.dat") == g.outside);
    FUZZ_CHECK(readWholeFile(g.folder / "outside.dat") == g.outside);
    const fs::path kept = g.folder / kBackupFolderName;
    const bool hasBackup = fs::exists(kept);
    // The digests of written files lie beside the backup, which every written file has.
    const bool hasSums = fs::exists(g.folder / kBackupSumsName);
    FUZZ_CHECK(!hasSums || hasBackup);
    FUZZ_CHECK(entries(g.root) == 2 && entries(g.folder) == 2u + hasBackup + hasSums);
    if (hasBackup) {
        for (const auto& entry : fs::directory_iterator(kept)) {
            bool original = false;
            for (const auto& [name, bytes] : g.objects) {
                original |= entry.path().filename() == name && readWholeFile(entry.path()) == bytes;
            }
            FUZZ_CHECK(original);
        }
    }
    FUZZ_CHECK(entries(g.objData) == g.objects.size());
    for (const auto& [name, bytes] : g.objects) {
        const Bytes now = readWholeFile(g.objData / name);
        if (now != bytes) {
            const ObjectFile before = readObjectFile(bytes, name);
            const ObjectFile after = readObjectFile(now, name);
            FUZZ_CHECK(after.texts.size() == before.texts.size());
            FUZZ_CHECK(after.flags == before.flags && after.encoding == before.encoding);
        }
    }
    return 0;
}
