// SPDX-License-Identifier: GPL-3.0-or-later
// The word tables the full sample's texts are made of, and the random numbers that pick from
// them. Only the sample's makers include this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarn::sample {

// xorshift32 with integer arithmetic only: unlike the standard library's distributions it
// gives the same numbers with every compiler and library, so the sample is the same everywhere.
class SampleRandom {
public:
    explicit SampleRandom(std::uint32_t seed) : state_(seed) {}

    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // 0 .. count - 1.
    std::size_t below(std::size_t count) { return next() % count; }
    // low .. high, both included.
    int between(int low, int high) {
        return low + static_cast<int>(below(static_cast<std::size_t>(high - low + 1)));
    }
    bool percent(unsigned chance) { return next() % 100 < chance; }
    std::string_view pick(std::span<const std::string_view> words) {
        return words[below(words.size())];
    }

private:
    std::uint32_t state_;
};

using Words = std::span<const std::string_view>;

// The word tables are laid out by hand, several entries to a line.
// clang-format off

// Menus, options and the interface, each used once near the start of the table.
inline constexpr std::string_view kMenuWords[] = {
    "New game", "Continue", "Load game", "Save game", "Options", "Sound", "Music volume",
    "Effects volume", "Speech volume", "Controls", "Graphics", "Screen size", "Full screen",
    "Window", "Brightness", "Subtitles", "Language", "Difficulty", "Easy", "Normal", "Hard",
    "Very hard", "Back", "Quit", "Quit game", "Yes", "No", "OK", "Cancel", "Accept", "Decline",
    "Apply", "Default", "Close", "Next", "Previous", "Inventory", "Equipment", "Journal", "Map",
    "World map", "Local map", "Skills", "Spells", "Character", "Party", "Trade", "Buy", "Sell",
    "Drop", "Use", "Equip", "Remove", "Examine", "Talk", "Attack", "Defend", "Flee", "Wait",
    "Rest", "Camp", "Sleep", "Travel", "Help", "Credits", "Statistics", "Strength", "Agility",
    "Endurance", "Wisdom", "Charisma", "Luck", "Health", "Mana", "Stamina", "Armour", "Level",
    "Experience", "Gold", "Weight", "Speed", "Reputation", "Hunger", "Thirst", "Fatigue",
    "Quests", "Active quests", "Finished quests", "Notes", "Add note", "Delete note",
    "Bestiary", "Recipes", "Crafting", "Repair", "Enchant", "Brew", "Cook", "Fish", "Hunt",
    "Mount", "Dismount", "Steal", "Pick lock", "Search", "Hide", "Sneak", "Pray", "Read",
    "Write", "Give", "Take", "Take all", "Sort", "Sort by name", "Sort by weight",
    "Sort by value", "Filter", "All items", "Weapons", "Armour and clothes", "Potions", "Food",
    "Books", "Keys", "Misc.", "Quest items", "Autosave", "Quick save", "Quick load",
    "Empty slot", "Slot", "Delete saved game", "Rename", "Day", "Night", "Morning", "Evening",
    "Spring", "Summer", "Autumn", "Winter", "Male", "Female", "Name", "Portrait", "Begin",
    "Random", "Reset", "Tutorial", "Hints", "Show hints", "Hide hints", "Pause", "Resume",
};

// Short labels that close the table: compass points, keys and abbreviations.
inline constexpr std::string_view kShortLabels[] = {
    "N", "S", "E", "W", "NE", "NW", "SE", "SW", "HP", "MP", "XP", "AC", "Lv", "STR", "AGI",
    "END", "WIS", "CHA", "LCK", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10",
    "F11", "F12", "Tab", "Alt", "Ctrl", "Shift", "Space", "Enter", "Esc", "Home", "Ins", "Del",
    "PgUp", "PgDn", "Up", "Down", "Left", "Right", "Num", "Min", "Max", "Lb", "Oz", "Ft",
    "Mi", "Km", "Hr", "Sec", "Am", "Pm", "Vol", "Pg", "Ch", "No.", "Qty", "Val", "Wt", "Dmg",
    "Def", "Res", "Atk", "Spd", "Gp", "Sp", "Cp", "On", "Off", "Hi", "Lo", "Mid", "Ok",
};

// Texts a game repeats word for word in several places.
inline constexpr std::string_view kRepeatedTexts[] = {
    "Yes", "No", "OK", "Cancel", "Back", "Close", "Continue", "Nothing happens.",
    "Are you sure?", "Done.", "Take all", "Rest", "Trade", "Talk", "Leave",
};

inline constexpr std::string_view kNameStarts[] = {
    "Al", "Bran", "Cor", "Dun", "El", "Fen", "Gar", "Hal", "Ith", "Jor", "Kel", "Lor", "Mar",
    "Nor", "Os", "Per", "Quen", "Ros", "Sil", "Tor", "Ul", "Val", "Wyn", "Yar", "Zan", "Bel",
    "Cas", "Dar", "Eo", "Gil", "Hen", "Is", "Lan", "Mer", "Od", "Rad", "Ser", "Tam", "Ver",
    "Wil",
};
inline constexpr std::string_view kNameMiddles[] = {"", "a", "e", "i", "o", "an"};
inline constexpr std::string_view kNameEnds[] = {
    "dor", "mir", "wen", "ric", "ath", "las", "dan", "ira", "eth", "ias", "on", "wyn",
    "gar", "ia", "ald", "rin", "mund", "elle", "bert", "ana", "ek", "is", "ard", "ova",
};
inline constexpr std::string_view kTitlesBefore[] = {
    "Lady", "Sir", "Old", "Brother", "Sister", "Captain", "Mother", "Father", "Master",
    "Lord", "Young", "Dame",
};
inline constexpr std::string_view kTitlesAfter[] = {
    "the Smith", "the Baker", "the Miller", "the Tanner", "the Hunter", "the Fisher",
    "the Brewer", "the Weaver", "the Bold", "the Wise", "the Red", "the Grey", "the Younger",
    "the Elder", "the Lame", "the Tall",
};

inline constexpr std::string_view kPlaceStarts[] = {
    "Brin", "Ash", "Stone", "Elder", "Black", "Raven", "Thorn", "Mill", "Oak", "Fen", "Wolf",
    "Salt", "Iron", "High", "Low", "Frost", "Red", "Grey", "Bright", "Hollow", "Cold", "Deep",
    "Marsh", "Willow",
};
inline constexpr std::string_view kPlaceEnds[] = {
    "moor", "ford", "wick", "holm", "dale", "haven", "stead", "gate", "fell", "mere", "brook",
    "hill", "ton", "by", "wood", "barrow", "reach", "crag",
};
inline constexpr std::string_view kPlaceFeatures[] = {
    "Keep", "Castle", "Abbey", "Bridge", "Mine", "Harbour", "Crossing", "Woods", "Hills",
    "Tower", "Inn", "Market", "Gate", "Pass", "Lake", "Caves", "Mill", "Ruins",
};

// Item kinds with the words that go before them: how good or worn an item is, then what it
// is made of. Some kinds also take "of" and a virtue.
struct ItemGroup {
    Words bases;
    Words qualities;
    Words materials;
    bool takesVirtue;
};
inline constexpr std::string_view kWeapons[] = {
    "Sword", "Dagger", "Axe", "Mace", "Spear", "Halberd", "Flail", "Warhammer", "Longsword",
    "Shortsword", "Club", "Sabre", "Scimitar", "Bow", "Longbow", "Crossbow", "Sling",
};
inline constexpr std::string_view kWeaponQualities[] = {
    "Rusty", "Sharp", "Heavy", "Light", "Notched", "Fine", "Cursed", "Blessed", "Ancient",
    "Masterwork", "Old", "Broken",
};
inline constexpr std::string_view kWeaponMaterials[] = {
    "Iron", "Steel", "Bronze", "Silver", "Dwarven", "Elven", "Obsidian", "Black", "Oak", "Yew",
    "Bone",
};
inline constexpr std::string_view kArmour[] = {
    "Shield", "Helmet", "Chainmail", "Breastplate", "Greaves", "Gauntlets", "Boots", "Buckler",
    "Hauberk", "Cloak", "Robe", "Tunic", "Gloves", "Hood", "Belt", "Hat", "Cape",
};
inline constexpr std::string_view kArmourQualities[] = {
    "Tattered", "Warm", "Embroidered", "Patched", "Dented", "Royal", "Guard's", "Hunter's",
    "Old", "Fine", "Heavy", "Light",
};
inline constexpr std::string_view kArmourMaterials[] = {
    "Iron", "Steel", "Leather", "Studded", "Woollen", "Linen", "Silk", "Fur", "Red", "Blue",
    "Green", "Black",
};
inline constexpr std::string_view kJewels[] = {
    "Ring", "Amulet", "Bracelet", "Necklace", "Brooch", "Crown", "Circlet", "Earring",
    "Pendant", "Staff", "Wand", "Orb", "Rune", "Charm", "Talisman",
};
inline constexpr std::string_view kJewelQualities[] = {
    "Tarnished", "Glowing", "Minor", "Greater", "Ancient", "Cursed", "Plain", "Lost",
};
inline constexpr std::string_view kJewelMaterials[] = {
    "Golden", "Silver", "Copper", "Jade", "Ruby", "Sapphire", "Emerald", "Amber", "Pearl",
    "Ivory", "Crystal", "Oak", "Bone",
};
inline constexpr std::string_view kMagic[] = {
    "Scroll", "Tome", "Potion", "Elixir", "Draught", "Salve", "Tonic",
};
inline constexpr std::string_view kMagicQualities[] = {
    "Minor", "Greater", "Lesser", "Strong", "Weak", "Dusty", "Sealed", "Ancient",
};
inline constexpr std::string_view kMagicMaterials[] = {
    "Bitter", "Cloudy", "Green", "Red", "Blue", "Golden",
};
inline constexpr std::string_view kFood[] = {
    "Bread", "Cheese", "Apple", "Ale", "Wine", "Meat", "Fish", "Pie", "Stew", "Honey", "Mead",
    "Cake", "Sausage", "Ham", "Pear", "Onion", "Turnip", "Milk", "Eggs", "Porridge",
};
inline constexpr std::string_view kFoodQualities[] = {
    "Fresh", "Stale", "Mouldy", "Rotten", "Hot", "Cold", "Sweet", "Sour",
};
inline constexpr std::string_view kFoodMaterials[] = {
    "Spiced", "Salted", "Smoked", "Roast", "Dried", "Elven", "Dwarven", "Goat's", "Boiled",
};
inline constexpr std::string_view kTools[] = {
    "Torch", "Rope", "Lantern", "Key", "Map", "Book", "Shovel", "Pickaxe", "Lockpick",
    "Compass", "Mirror", "Candle", "Tent", "Blanket", "Fishing rod", "Hammer", "Saw", "Chisel",
    "Bucket", "Ladder", "Net", "Bell", "Whistle", "Flute", "Lute", "Drum", "Pouch", "Satchel",
    "Sack", "Chest", "Bottle", "Cup", "Plate", "Knife", "Letter", "Diary", "Coin", "Gem",
};
inline constexpr std::string_view kToolQualities[] = {
    "Old", "New", "Small", "Large", "Broken", "Sturdy", "Cheap", "Fine", "Cracked", "Lost",
    "Stolen", "Torn", "Sealed", "Lucky",
};
inline constexpr std::string_view kToolMaterials[] = {
    "Brass", "Wooden", "Iron", "Rusty", "Silver", "Leather", "Clay",
};
inline constexpr std::string_view kVirtues[] = {
    "Healing", "Warding", "Strength", "Speed", "the Bear", "the Owl", "Fire", "Frost",
    "Night", "Dawn", "Kings", "Shadows", "Light", "Luck", "Valour", "Mending", "Sight",
    "Silence", "the North", "Tarn",
};
inline constexpr ItemGroup kItemGroups[] = {
    {kWeapons, kWeaponQualities, kWeaponMaterials, true},
    {kArmour, kArmourQualities, kArmourMaterials, true},
    {kJewels, kJewelQualities, kJewelMaterials, true},
    {kMagic, kMagicQualities, kMagicMaterials, true},
    {kFood, kFoodQualities, kFoodMaterials, false},
    {kTools, kToolQualities, kToolMaterials, false},
};

inline constexpr std::string_view kMonsters[] = {
    "Wolf", "Bear", "Troll", "Goblin", "Orc", "Skeleton", "Ghost", "Bandit", "Spider", "Rat",
    "Bat", "Wraith", "Ogre", "Dragon", "Serpent", "Boar", "Ghoul", "Zombie", "Harpy", "Wyvern",
    "Imp", "Witch", "Giant", "Cultist", "Mercenary", "Knight", "Archer", "Thief", "Lizard",
    "Beetle", "Slime", "Golem", "Toad", "Crow", "Hound",
};
inline constexpr std::string_view kMonsterWords[] = {
    "Cave", "Giant", "Young", "Old", "Black", "Grey", "Frost", "Fire", "Marsh", "Mountain",
    "Elder", "Plague", "Rabid", "Feral", "Shadow", "Forest", "Sand", "Swamp", "Bone", "Dire",
    "Hungry", "Wounded", "Undead", "Savage", "Lesser", "Greater",
};
inline constexpr std::string_view kSpellFirst[] = {
    "Fire", "Frost", "Light", "Shadow", "Storm", "Stone", "Healing", "Warding", "Spirit",
    "Wind", "Thunder", "Venom", "Blood", "Moon", "Sun", "Mind",
};
inline constexpr std::string_view kSpellSecond[] = {
    "Bolt", "Ward", "Touch", "Shield", "Wave", "Burst", "Circle", "Call", "Arrow", "Blade",
    "Veil", "Storm", "Gate", "Song", "Sight", "Chains",
};

inline constexpr std::string_view kRoadStates[] = {
    "dangerous", "muddy", "quiet", "closed", "flooded", "safe enough", "full of bandits",
    "blocked by snow", "busy",
};
inline constexpr std::string_view kEvents[] = {
    "great flood", "last harvest", "winter war", "fall of the tower", "plague year",
    "dragon fire", "long drought", "siege", "last fair", "old king's funeral",
};
inline constexpr std::string_view kRelatives[] = {
    "brother", "sister", "father", "mother", "son", "daughter", "uncle", "cousin", "husband",
    "wife",
};
inline constexpr std::string_view kGoods[] = {
    "salt", "wool", "timber", "iron ore", "furs", "amber", "wine", "horses", "cloth", "silver",
};
inline constexpr std::string_view kDirections[] = {
    "north", "south", "east", "west", "north-east", "south-west", "north-west", "south-east",
};
inline constexpr std::string_view kTerrain[] = {
    "hills", "cliffs", "mountains", "woods", "marshes", "moors", "dunes", "fells",
};
inline constexpr std::string_view kRoles[] = {
    "elder", "smith", "priest", "innkeeper", "captain of the guard", "herbalist", "mayor",
    "old scribe",
};
inline constexpr std::string_view kBuildings[] = {
    "chapel", "town hall", "watchtower", "old keep", "granary", "temple", "guild house",
};
inline constexpr std::string_view kInns[] = {
    "Golden Goose", "Sleeping Dragon", "Rusty Anchor", "Three Crowns", "Black Boar",
    "Jolly Miller", "Caf\xE9 \xC9lan",
};
inline constexpr std::string_view kOpeners[] = {
    "Greetings, traveller. ", "Well met! ", "Hmm. ", "Listen. ", "Ah, a stranger. ",
    "Quiet now. ", "By the gods! ", "Good day. ", "Careful. ", "Look! ", "Halt! ", "Alas. ",
};

// Short messages of the world and the interface, written as they are.
inline constexpr std::string_view kMessages[] = {
    "You cannot go that way.", "Nothing happens.", "You feel rested.", "Not enough gold.",
    "A cold wind blows.", "You hear footsteps behind you.", "The shop is closed.",
    "The door is locked.", "The door is open.", "You need a key.", "It is too dark to see.",
    "You are hungry.", "You are thirsty.", "You are tired.", "You feel better.",
    "You feel weak.", "You are poisoned.", "The poison wears off.", "Your torch goes out.",
    "It starts to rain.", "The rain stops.", "Night falls.", "The sun rises.", "You are lost.",
    "You found nothing.", "Your pack is full.", "You cannot carry more.", "That is too heavy.",
    "You are not strong enough.", "Your hands are full.", "The chest is empty.",
    "The chest is locked.", "The lock breaks.", "The trap springs!", "You disarm the trap.",
    "You fall asleep.", "You wake up.", "You are being followed.", "Someone is watching you.",
    "The guards seize you!", "You are under arrest.", "You pay the fine.", "You escape.",
    "You cannot flee!", "Your spell fails.", "You run out of mana.", "You are too far away.",
    "There is nobody here.", "Nobody answers.", "The well is dry.", "The water is clean.",
    "The bridge creaks.", "The ice cracks.", "The ground shakes.",
    "A wolf howls in the distance.", "Thunder rolls over the hills.", "Your horse is tired.",
    "Your horse runs away.", "You mount your horse.", "You dismount.",
    "The ferry leaves at dawn.", "The gate is closed for the night.", "Game loaded.",
    "Game saved.", "Quick save done.", "Really quit the game?", "Overwrite the saved game?",
    "The journal is updated.", "New quest!", "Quest failed.", "Quest complete!",
    "You have learned a new skill.", "You are overburdened.", "You cannot sleep here.",
    "Enemies are nearby.", "You lose your way in the fog.", "The candle flickers.",
    "Something glitters in the grass.", "The fire dies down.", "You hear a scream.",
    "The floor is slippery.", "A rat runs past your feet.", "The air smells of smoke.",
};

// Messages with a word of the world in them; @ marks are filled in by fill().
inline constexpr std::string_view kMessageForms[] = {
    "You pick up the @I.", "You drop the @I.", "You equip the @I.", "The @I breaks!",
    "You have no @I.", "You cannot use the @I here.", "The @M attacks!", "The @M is dead.",
    "The @M flees.", "The @M misses.", "The @M bites you.", "The @m blocks the way.",
    "You killed the @M.", "@N is not at home.", "@N nods slowly.", "@N is angry with you.",
    "@N joins your party.", "@N leaves your party.", "@N thanks you.", "Welcome to @P.",
    "You arrive in @P.", "The road to @P is blocked.", "@P is under attack!", "You learn @S.",
    "@S fails.", "You cast @S.", "@N gives you the @I.", "@N wants the @I.", "Sold: @I",
    "Found: @I", "Bought: @I", "Ask @N.", "Go to @P.", "Find @N in @P.", "Kill the @M.",
    "Bring the @I to @N.", "@N is asleep.", "@N is dead.", "@N is busy.",
};

// Messages that use the value and colour codes.
inline constexpr std::string_view kCodedForms[] = {
    "You gain %W experience.", "The @I costs %m.", "You pay %m to @N.", "You lose %W health.",
    "\\c3The @M attacks!\\d", "\\c4@N joins your party.\\d", "It is %T. The shops close.",
    "@P is %l away.", "You sold the @I for %M.", "The @M has %W health left.",
    "Day %w of the journey", "@N owes you %m.", "The @I weighs %f stones.", "\\c5@I\\d found!",
    "\\c8@S\\d is ready.", "\\c7+%W mana\\d", "Reward: %m and the @I", "Rest until %T?",
    "You travelled %l in %t.", "\\c6@P is burning!\\d", "\\c9@N\\d: Welcome back.",
    "Damage: %W", "Price: %m", "\\c1@I (worn)\\d", "\\ca@M\\d", "@S costs %w mana.",
};

// Texts whose codes carry data: two bytes after %S, four after %c (@2, @4).
inline constexpr std::string_view kDataForms[] = {
    "%S@2 has fallen in battle.", "Chapter %c@4", "%S@2 joins the fight!",
    "You read %c@4.", "%c@4 is closed today.", "The sign reads: %c@4",
    "%S@2 wants to trade with you.", "Reward: %S@2", "%S@2 and %S@2 ride to @P.",
    "\\c4%c@4\\d", "%S@2 is waiting in @P.", "%S@2: I will not forget this.",
    "Title: %c@4", "%S@2 gives you %c@4.",
};

// Sentences of dialogue and narration.
inline constexpr std::string_view kSentenceForms[] = {
    "The road to @P is @a this time of year.",
    "I have not seen @N since the @e.",
    "Bring me the head of the @m and I will pay you well.",
    "They say the @m lives in the caves near @P.",
    "@N sells the best @i in @P.",
    "My @r went to @P and never came back.",
    "The guards of @P do not take kindly to strangers.",
    "If you find the @i, bring it to @N.",
    "Do not trust @N. That one lies as easily as breathing.",
    "The @e left @P in ruins.",
    "Rest here for the night, the road to @P is not safe.",
    "Have you come from @P? How are things there?",
    "I had one like your @i, but I lost it in @P.",
    "The @m took three of our sheep last night.",
    "Ask @N about the old mine. Nobody knows the way better.",
    "We do not serve your kind here. Go back to @P.",
    "The harvest was poor this year, and the taxes are high.",
    "The lord of @P has called every able man to arms.",
    "A hundred years ago @P was the richest town in the land.",
    "You will need the @i if you mean to cross the @t.",
    "@N has gone to @P to sell @g.",
    "The priests of @P say the @e was a punishment.",
    "Keep to the road, and do not leave it after dark.",
    "I can teach you @S, but it will cost you.",
    "The @m is stronger than it looks. Aim for the eyes.",
    "Tell @N that the @i is ready.",
    "My @r saw the @m in the @t.",
    "The old bridge to @P fell in the @e.",
    "We trade @g for grain with the people of @P.",
    "Nobody in @P has heard of @N.",
};

// Notes shown with items.
inline constexpr std::string_view kItemNotes[] = {
    "Made by the smiths of @P.", "Heavy, but it will stop an arrow.",
    "It smells of @g.", "The mark of @N is cut into the handle.", "Worth more than it looks.",
    "Found in the ruins near @P.", "Restores some health.", "Restores a little mana.",
    "It hums when a @m is near.", "Nobody in @P would buy this.", "Good against the @m.",
    "A gift from @N.", "It was old before the @e.", "Keeps you warm on the @t.",
    "Traders in @P pay well for these.", "Cheap and light.",
};

// The first sentence of a description of a place, after its name.
inline constexpr std::string_view kDescriptionOpenings[] = {
    " is a small town on the shore of a cold lake.",
    " is a walled town where two old roads cross.",
    " is a fishing village at the mouth of the river.",
    " is a mining town high in the mountains.",
    " is a market town in the middle of wide fields.",
};

// Sentences of the long descriptions of places.
inline constexpr std::string_view kDescriptionForms[] = {
    "Its people live from fishing and from the trade in @g.",
    "To the @d rise the @t of @Q.",
    "Travellers should beware of the @m that hunts in the @t.",
    "@N, the @o of the town, keeps the old records in the @b.",
    "Every spring the river floods the lower streets.",
    "The @b was rebuilt after the @e.",
    "Many say that @N knows more than is wise.",
    "The market opens at dawn and closes when the bell of the @b rings.",
    "Few strangers stay longer than a night.",
    "The inn by the gate is called the @c, and its ale is the best for miles.",
    "In the cellars below the @b lies a door that nobody has opened in a hundred years.",
    "The road @d leads to @Q, three days on foot.",
    "The walls are old but strong, and the guards are watchful.",
    "Children play by the well, and old women sit in the sun.",
    "At night the lights of @Q can be seen from the @t.",
    "Merchants from @Q come twice a year with @g and news.",
    "Since the @e the fields to the @d have lain empty.",
};

// Closing words of the one description whose length is set exactly: every length from 3 to
// 11 letters, and shorter ones to run on with.
inline constexpr std::string_view kClosingNouns[] = {
    "war", "gold", "kings", "heroes", "dragons", "warriors", "sorcerers", "travellers",
    "adventurers",
};
inline constexpr std::string_view kRunningNouns[] = {
    "feasts", "storms", "battles", "ghosts", "songs", "kings", "queens", "floods", "wolves",
    "giants", "saints", "thieves", "fires", "winters",
};

// Bytes that carry the data of %S and %c: nonzero, and none of them a code (\n, \t, \x0D, \d,
// a picture) that would confuse a reader of the text.
inline constexpr std::uint8_t kDataBytes[] = {1,  2,  3,  4,  6,  7,  8,  9,  11, 12, 15, 16, 17,
                                       18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 29, 30, 31};
// clang-format on

}  // namespace tarn::sample
