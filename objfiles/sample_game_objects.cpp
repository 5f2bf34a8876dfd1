// SPDX-License-Identifier: GPL-3.0-or-later
#include "objfiles/sample_game_objects.h"

#include <algorithm>
#include <array>

#include "objfiles/sample_objects.h"

namespace tarn {

namespace {

// Game codes used below (raw bytes): 05 line break, 0A thin letters, 0E default colour,
// 17 01 nn picture nn, 7B 4-byte number, 7E 2-byte number, 80 money, 81 money (integer),
// 8A time (min sec), 8C distance, 91 red, 92 green, 93 yellow, 95 light green, 96 light blue.
// A string literal is split where a letter would otherwise extend a hex escape.
struct ObjectSpec {
    const char* fileName;
    const char* name;
    std::uint8_t encoding;
    ObjectFileTexts texts;
};

std::vector<ObjectSpec> specs() {
    return {
        {"Creature.dat",
         "CREATURE",
         0,
         {{{0, "Cave troll"}, {1, "H\xF6hlentroll"}, {5, "Troll des cavernes"}},
          {{0, "A large and angry troll.\x05It has \x7B hit points."},
           {1,
            "Ein gro\xDF"
            "er, w\xFCtender Troll.\x05"
            "Er hat \x7B Lebenspunkte."}},
          {{0, "\x91It guards the bridge.\x0E"}}}},
        {"ITEM_SWORD.DAT",
         "SWORD001",
         1,
         {{{0, "Sword"},
           {1, "Schwert"},
           {5,
            "\xC9p\xE9"
            "e"}}}},
        {"item_shield.dat",
         "SHIELD01",
         3,
         {{{0, "\x93Golden shield\x0E"}, {1, "\x93Goldener Schild\x0E"}}}},
        {"Spell_Fire.dat",
         "FIREBALL",
         0,
         {{{0, "Fireball\x05\x0A(costs \x7E mana)"}, {1, "Feuerball\x05\x0A(kostet \x7E Mana)"}}}},
        {"spell_ice.DAT",
         "ICEBOLT1",
         1,
         {{{0,
            "Ice bolt\x05\x96"
            "Freezes the target for \x8A.\x0E"},
           {5,
            "\xC9"
            "clair de glace\x05\x96G\xE8le la cible pendant \x8A.\x0E"}}}},
        {"Door.dat", "DOOR0001", 3, {{{0, "Wooden door"}, {1, "Holzt\xFCr"}}}},
        {"Chest.dat",
         "CHEST001",
         0,
         {{{0, "Chest\x05It holds \x81 in gold."},
           {1, "Truhe\x05Sie enth\xE4lt \x81 in Gold."},
           {5, "Coffre\x05Il contient \x81 en or."}}}},
        {"Merchant.dat",
         "MERCHANT",
         1,
         {{{0, "Hello, traveller! This potion costs \x80.\x05Want to buy it?"},
           {1, "Hallo, Reisender! Dieser Trank kostet \x80.\x05Willst du ihn kaufen?"}}}},
        {"Potion.dat", "POTION01", 3, {{{0, "\x95Healing potion\x0E"}, {1, "\x95Heiltrank\x0E"}}}},
        {"Scroll.dat", "SCROLL01", 0, {{{0, "\x17\x01\x07 Old scroll"}, {1, ""}}}},
        {"Quest.dat",
         "QUEST001",
         1,
         {{{0, "Find the lost ring"}, {1, "Finde den verlorenen Ring"}},
          {{0, "The ring lies in the cave, \x8C to the north."}},
          {{0, "\x92Thank you!\x0E"},
           {1,
            "\x92"
            "Danke!\x0E"},
           {5, "\x92Merci !\x0E"}}}},
    };
}

}  // namespace

std::vector<SampleObjectFile> sampleGameObjects() {
    std::vector<SampleObjectFile> files;
    const std::vector<ObjectSpec> objects = specs();
    for (std::size_t type = 0; type < objects.size(); ++type) {
        const ObjectSpec& o = objects[type];
        std::array<std::uint8_t, 8> name{};
        std::copy_n(o.name, name.size(), name.begin());
        files.push_back(
            {o.fileName,
             makeSampleObjectFile(static_cast<unsigned>(type), o.encoding, o.texts, name,
                                  static_cast<std::uint32_t>(type * 977 + 13), 200 + 40 * type)});
    }
    return files;
}

}  // namespace tarn
