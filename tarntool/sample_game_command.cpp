// tarntool sample-game DIR: a playable-looking game folder for demos and tests.
#include <algorithm>
#include <iostream>
#include <memory>

#include "common/file_io.h"
#include "exetext/sample_executable.h"
#include "objfiles/sample_objects.h"
#include "tarntool/commands.h"

namespace tarn::tool {

namespace {

// One object file of every type; the encodings take turns so that each type and each
// encoding occur. Texts are in language IDs 0 (English), 1 (German) and 5 (French), and
// some carry game codes (colour 142, line break 5) and accented letters.
struct SampleObject {
    const char* fileName;
    const char* name;
    std::uint8_t encoding;
    std::vector<std::vector<std::pair<std::uint8_t, std::string>>> groups;
};

const std::vector<SampleObject>& sampleObjects() {
    static const std::vector<SampleObject> objects = {
        {"Creature.dat",
         "CREATURE",
         0,
         {{{0, "Cave troll"}, {1, "H\xF6hlentroll"}, {5, "Troll des cavernes"}},
          {{0, "A large and angry troll."},
           {1,
            "Ein gro\xDF"
            "er, w\xFCtender Troll."}},
          {{0, "It guards the bridge."}}}},
        {"ITEM_SWORD.DAT",
         "SWORD001",
         1,
         {{{0, "Sword"},
           {1, "Schwert"},
           {5,
            "\xC9p\xE9"
            "e"}}}},
        {"item_shield.dat", "SHIELD01", 3, {{{0, "\x8EShield\x0E"}, {1, "Schild"}}}},
        {"Spell_Fire.dat", "FIREBALL", 0, {{{0, "Fireball"}, {1, "Feuerball"}}}},
        {"spell_ice.DAT",
         "ICEBOLT1",
         1,
         {{{0,
            "Ice bolt\x05"
            "cold"},
           {5,
            "\xC9"
            "clair de glace"}}}},
        {"Door.dat", "DOOR0001", 3, {{{0, "Wooden door"}, {1, "Holzt\xFCr"}}}},
        {"Chest.dat", "CHEST001", 0, {{{0, "Chest"}, {1, "Truhe"}, {5, "Coffre"}}}},
        {"Merchant.dat",
         "MERCHANT",
         1,
         {{{0, "Hello, traveller! Want to buy something?"}, {1, "Hallo, Reisender!"}}}},
        {"Potion.dat", "POTION01", 3, {{{0, "Healing potion"}, {1, "Heiltrank"}}}},
        {"Scroll.dat", "SCROLL01", 0, {{{0, "Old scroll"}, {1, ""}}}},
        {"Quest.dat",
         "QUEST001",
         1,
         {{{0, "Find the lost ring"}, {1, "Finde den verlorenen Ring"}},
          {{0, "The ring lies in the cave."}},
          {{0, "Thank you!"}, {1, "Danke!"}, {5, "Merci !"}}}},
    };
    return objects;
}

int makeSampleGame(const fs::path& dir) {
    try {
        fs::create_directories(dir / "ObjData");
        writeFileAtomically(dir / "Tarn.exe", makeSampleExecutable(2, sampleTexts()));
        const auto& objects = sampleObjects();
        for (std::size_t type = 0; type < objects.size(); ++type) {
            const SampleObject& o = objects[type];
            ObjFileTexts texts;
            for (const auto& group : o.groups) {
                ObjTextGroup& g = texts.emplace_back();
                for (const auto& [id, text] : group) {
                    g.push_back({id, text});
                }
            }
            std::array<std::uint8_t, 8> name{};
            std::copy_n(o.name, 8, name.begin());
            writeFileAtomically(dir / "ObjData" / o.fileName,
                                makeSampleObjectFile(static_cast<unsigned>(type), o.encoding,
                                                     texts, name,
                                                     static_cast<std::uint32_t>(type * 977 + 13),
                                                     200 + 40 * type));
        }
    } catch (const std::exception& e) {
        std::cerr << "tarntool: " << e.what() << "\n";
        return kFailed;
    }
    return kOk;
}

}  // namespace

void addSampleGameCommand(Tool& tool) {
    auto dir = std::make_shared<std::string>();
    tool.addCommand({"sample-game",
                     "Makes a game folder (executable and object files) for demos and tests",
                     "sample-game DIR", "sample-game takes one DIR"},
                    {}, [dir] { return makeSampleGame(*dir); })
        .add_option("DIR", *dir, "the folder to make")
        ->required()
        ->type_name("");
}

}  // namespace tarn::tool
