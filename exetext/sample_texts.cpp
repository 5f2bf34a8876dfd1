#include "exetext/sample_texts.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string_view>
#include <unordered_set>

#include "exetext/exe_profile.h"
#include "exetext/save_plan.h"
#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"

namespace tarn {

namespace {

// A text written in C-style notation, as a translator would type it.
std::string raw(std::string_view cStyle) {
    std::string result;
    if (!cStyleToRaw(cStyle, result)) {
        throw std::logic_error("malformed sample text: " + result);
    }
    return result;
}

// Game sentences that between them hold every code, each where a game would use it.
std::vector<std::string> codeSentences() {
    const char* const sentences[] = {
        "\\c4Welcome to Tarn!\\d\\nPress any key to begin your journey.",
        "\\tSmall print: the guild takes no blame for lost limbs.\\d",
        "You are 100%% sure the door is locked.",
        "Game saved to C:\\\\Tarn\\\\Save\\\\slot1.sav",
        "Loading the world...\\x0DDone.",
        "Level up!\\nStrength +1\\nAgility +1",
        "Caf\xE9 \xC9lan sells fresh bread for \xA3"
        "5 a loaf.",
        "\\p00000000 An empty frame hangs on the wall.",
        "\\p00000007 The old map shows the way north.",
        "\\p00000100 A portrait of the king looks down on you.",
        "\\p00123456 The chapel window glows in the evening sun.",
        "\\p01000000 The banner of the northern clans.",
        "\\pFFFFFFFF The end.",
        "You found %N gold coins.",
        "It is the year %n of the Third Age.",
        "Your pack weighs %f stones.",
        "Arrows left: %W",
        "You rest in room %w of the inn.",
        "The merchant asks %M for the healing potion.",
        "You have %m in your purse.",
        "%s joins your party.",
        "%S has fallen in battle.",
        "Chapter %c",
        "Today is %d.",
        "The harvest comes in %D.",
        "Your horse gallops at %v.",
        "%eThe toll of %u%M is paid.",
        "Time left: %t",
        "The shop opens at %T.",
        "The village lies %l to the east.",
        "%p Your quest journal",
        "The \\c0Black Knight\\d blocks the road.",
        "A \\c1grey mist\\d rises from the swamp.",
        "The \\c2White Tower\\d stands alone on the hill.",
        "\\c3Danger!\\d The bridge is out.",
        "\\c4Quest complete!\\d You earned %N experience.",
        "You found a \\c5golden key\\d.",
        "The \\c6fire\\d spreads quickly through the village.",
        "\\c7+%W health\\d",
        "\\c8Your mana is restored.\\d",
        "The \\c9Amulet of Shadows\\d hums softly.",
        "A \\cabrown bear\\d blocks the path.",
        "\\cbThe fairy\\d giggles and vanishes.",
        "The \\ccriver water\\d is ice cold.",
        "\\cdThe old parchment\\d crumbles in your hands.",
    };
    std::vector<std::string> texts;
    for (const char* sentence : sentences) {
        texts.push_back(raw(sentence));
    }
    return texts;
}

// Plain texts of menus, items and the world; they repeat, as game texts do.
constexpr const char* kPlainTexts[] = {
    "You cannot go that way.",
    "Nothing happens.",
    "Healing potion",
    "Inventory",
    "You feel rested.",
    "Not enough gold.",
    "Save game",
    "A cold wind blows.",
    "Load game",
    "You hear footsteps behind you.",
    "Quit",
    "Are you sure?",
    "Torch",
    "The shop is closed.",
    "Rope",
    "Map of Tarn",
    "North",
    "South",
    "East",
    "West",
};

}  // namespace

std::vector<std::string> repetitiveSampleTexts() {
    const std::vector<std::string> sentences = codeSentences();
    const std::size_t plainCount = std::size(kPlainTexts);
    std::vector<std::string> texts(static_cast<std::size_t>(kTextCount));
    for (int n = 1; n <= kTextCount; ++n) {
        std::string& text = texts[static_cast<std::size_t>(n - 1)];
        if (n == 1) {
            text = sentences[0];  // the first row shown
        } else if (n % 7 == 0) {
            text = sentences[static_cast<std::size_t>(n / 7) % sentences.size()];
        } else if (n % 50 == 1) {
            text = "Yes";  // repeated texts share one stored copy
        } else if (n % 50 == 2) {
            text = "Open the door";
        } else if (n % 50 == 3) {
            text = "door";  // the tail of another text
        } else {
            text = kPlainTexts[static_cast<std::size_t>(n) % plainCount];
        }
    }
    texts[99] = "";  // text 100 is empty
    return texts;
}

}  // namespace tarn

// --- The full sample ---------------------------------------------------------------------

namespace tarn {

namespace {

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
constexpr std::string_view kMenuWords[] = {
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
constexpr std::string_view kShortLabels[] = {
    "N", "S", "E", "W", "NE", "NW", "SE", "SW", "HP", "MP", "XP", "AC", "Lv", "STR", "AGI",
    "END", "WIS", "CHA", "LCK", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10",
    "F11", "F12", "Tab", "Alt", "Ctrl", "Shift", "Space", "Enter", "Esc", "Home", "Ins", "Del",
    "PgUp", "PgDn", "Up", "Down", "Left", "Right", "Num", "Min", "Max", "Lb", "Oz", "Ft",
    "Mi", "Km", "Hr", "Sec", "Am", "Pm", "Vol", "Pg", "Ch", "No.", "Qty", "Val", "Wt", "Dmg",
    "Def", "Res", "Atk", "Spd", "Gp", "Sp", "Cp", "On", "Off", "Hi", "Lo", "Mid", "Ok",
};

// Texts a game repeats word for word in several places.
constexpr std::string_view kRepeatedTexts[] = {
    "Yes", "No", "OK", "Cancel", "Back", "Close", "Continue", "Nothing happens.",
    "Are you sure?", "Done.", "Take all", "Rest", "Trade", "Talk", "Leave",
};

constexpr std::string_view kNameStarts[] = {
    "Al", "Bran", "Cor", "Dun", "El", "Fen", "Gar", "Hal", "Ith", "Jor", "Kel", "Lor", "Mar",
    "Nor", "Os", "Per", "Quen", "Ros", "Sil", "Tor", "Ul", "Val", "Wyn", "Yar", "Zan", "Bel",
    "Cas", "Dar", "Eo", "Gil", "Hen", "Is", "Lan", "Mer", "Od", "Rad", "Ser", "Tam", "Ver",
    "Wil",
};
constexpr std::string_view kNameMiddles[] = {"", "a", "e", "i", "o", "an"};
constexpr std::string_view kNameEnds[] = {
    "dor", "mir", "wen", "ric", "ath", "las", "dan", "ira", "eth", "ias", "on", "wyn",
    "gar", "ia", "ald", "rin", "mund", "elle", "bert", "ana", "ek", "is", "ard", "ova",
};
constexpr std::string_view kTitlesBefore[] = {
    "Lady", "Sir", "Old", "Brother", "Sister", "Captain", "Mother", "Father", "Master",
    "Lord", "Young", "Dame",
};
constexpr std::string_view kTitlesAfter[] = {
    "the Smith", "the Baker", "the Miller", "the Tanner", "the Hunter", "the Fisher",
    "the Brewer", "the Weaver", "the Bold", "the Wise", "the Red", "the Grey", "the Younger",
    "the Elder", "the Lame", "the Tall",
};

constexpr std::string_view kPlaceStarts[] = {
    "Brin", "Ash", "Stone", "Elder", "Black", "Raven", "Thorn", "Mill", "Oak", "Fen", "Wolf",
    "Salt", "Iron", "High", "Low", "Frost", "Red", "Grey", "Bright", "Hollow", "Cold", "Deep",
    "Marsh", "Willow",
};
constexpr std::string_view kPlaceEnds[] = {
    "moor", "ford", "wick", "holm", "dale", "haven", "stead", "gate", "fell", "mere", "brook",
    "hill", "ton", "by", "wood", "barrow", "reach", "crag",
};
constexpr std::string_view kPlaceFeatures[] = {
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
constexpr std::string_view kWeapons[] = {
    "Sword", "Dagger", "Axe", "Mace", "Spear", "Halberd", "Flail", "Warhammer", "Longsword",
    "Shortsword", "Club", "Sabre", "Scimitar", "Bow", "Longbow", "Crossbow", "Sling",
};
constexpr std::string_view kWeaponQualities[] = {
    "Rusty", "Sharp", "Heavy", "Light", "Notched", "Fine", "Cursed", "Blessed", "Ancient",
    "Masterwork", "Old", "Broken",
};
constexpr std::string_view kWeaponMaterials[] = {
    "Iron", "Steel", "Bronze", "Silver", "Dwarven", "Elven", "Obsidian", "Black", "Oak", "Yew",
    "Bone",
};
constexpr std::string_view kArmour[] = {
    "Shield", "Helmet", "Chainmail", "Breastplate", "Greaves", "Gauntlets", "Boots", "Buckler",
    "Hauberk", "Cloak", "Robe", "Tunic", "Gloves", "Hood", "Belt", "Hat", "Cape",
};
constexpr std::string_view kArmourQualities[] = {
    "Tattered", "Warm", "Embroidered", "Patched", "Dented", "Royal", "Guard's", "Hunter's",
    "Old", "Fine", "Heavy", "Light",
};
constexpr std::string_view kArmourMaterials[] = {
    "Iron", "Steel", "Leather", "Studded", "Woollen", "Linen", "Silk", "Fur", "Red", "Blue",
    "Green", "Black",
};
constexpr std::string_view kJewels[] = {
    "Ring", "Amulet", "Bracelet", "Necklace", "Brooch", "Crown", "Circlet", "Earring",
    "Pendant", "Staff", "Wand", "Orb", "Rune", "Charm", "Talisman",
};
constexpr std::string_view kJewelQualities[] = {
    "Tarnished", "Glowing", "Minor", "Greater", "Ancient", "Cursed", "Plain", "Lost",
};
constexpr std::string_view kJewelMaterials[] = {
    "Golden", "Silver", "Copper", "Jade", "Ruby", "Sapphire", "Emerald", "Amber", "Pearl",
    "Ivory", "Crystal", "Oak", "Bone",
};
constexpr std::string_view kMagic[] = {
    "Scroll", "Tome", "Potion", "Elixir", "Draught", "Salve", "Tonic",
};
constexpr std::string_view kMagicQualities[] = {
    "Minor", "Greater", "Lesser", "Strong", "Weak", "Dusty", "Sealed", "Ancient",
};
constexpr std::string_view kMagicMaterials[] = {
    "Bitter", "Cloudy", "Green", "Red", "Blue", "Golden",
};
constexpr std::string_view kFood[] = {
    "Bread", "Cheese", "Apple", "Ale", "Wine", "Meat", "Fish", "Pie", "Stew", "Honey", "Mead",
    "Cake", "Sausage", "Ham", "Pear", "Onion", "Turnip", "Milk", "Eggs", "Porridge",
};
constexpr std::string_view kFoodQualities[] = {
    "Fresh", "Stale", "Mouldy", "Rotten", "Hot", "Cold", "Sweet", "Sour",
};
constexpr std::string_view kFoodMaterials[] = {
    "Spiced", "Salted", "Smoked", "Roast", "Dried", "Elven", "Dwarven", "Goat's", "Boiled",
};
constexpr std::string_view kTools[] = {
    "Torch", "Rope", "Lantern", "Key", "Map", "Book", "Shovel", "Pickaxe", "Lockpick",
    "Compass", "Mirror", "Candle", "Tent", "Blanket", "Fishing rod", "Hammer", "Saw", "Chisel",
    "Bucket", "Ladder", "Net", "Bell", "Whistle", "Flute", "Lute", "Drum", "Pouch", "Satchel",
    "Sack", "Chest", "Bottle", "Cup", "Plate", "Knife", "Letter", "Diary", "Coin", "Gem",
};
constexpr std::string_view kToolQualities[] = {
    "Old", "New", "Small", "Large", "Broken", "Sturdy", "Cheap", "Fine", "Cracked", "Lost",
    "Stolen", "Torn", "Sealed", "Lucky",
};
constexpr std::string_view kToolMaterials[] = {
    "Brass", "Wooden", "Iron", "Rusty", "Silver", "Leather", "Clay",
};
constexpr std::string_view kVirtues[] = {
    "Healing", "Warding", "Strength", "Speed", "the Bear", "the Owl", "Fire", "Frost",
    "Night", "Dawn", "Kings", "Shadows", "Light", "Luck", "Valour", "Mending", "Sight",
    "Silence", "the North", "Tarn",
};
constexpr ItemGroup kItemGroups[] = {
    {kWeapons, kWeaponQualities, kWeaponMaterials, true},
    {kArmour, kArmourQualities, kArmourMaterials, true},
    {kJewels, kJewelQualities, kJewelMaterials, true},
    {kMagic, kMagicQualities, kMagicMaterials, true},
    {kFood, kFoodQualities, kFoodMaterials, false},
    {kTools, kToolQualities, kToolMaterials, false},
};

constexpr std::string_view kMonsters[] = {
    "Wolf", "Bear", "Troll", "Goblin", "Orc", "Skeleton", "Ghost", "Bandit", "Spider", "Rat",
    "Bat", "Wraith", "Ogre", "Dragon", "Serpent", "Boar", "Ghoul", "Zombie", "Harpy", "Wyvern",
    "Imp", "Witch", "Giant", "Cultist", "Mercenary", "Knight", "Archer", "Thief", "Lizard",
    "Beetle", "Slime", "Golem", "Toad", "Crow", "Hound",
};
constexpr std::string_view kMonsterWords[] = {
    "Cave", "Giant", "Young", "Old", "Black", "Grey", "Frost", "Fire", "Marsh", "Mountain",
    "Elder", "Plague", "Rabid", "Feral", "Shadow", "Forest", "Sand", "Swamp", "Bone", "Dire",
    "Hungry", "Wounded", "Undead", "Savage", "Lesser", "Greater",
};
constexpr std::string_view kSpellFirst[] = {
    "Fire", "Frost", "Light", "Shadow", "Storm", "Stone", "Healing", "Warding", "Spirit",
    "Wind", "Thunder", "Venom", "Blood", "Moon", "Sun", "Mind",
};
constexpr std::string_view kSpellSecond[] = {
    "Bolt", "Ward", "Touch", "Shield", "Wave", "Burst", "Circle", "Call", "Arrow", "Blade",
    "Veil", "Storm", "Gate", "Song", "Sight", "Chains",
};

constexpr std::string_view kRoadStates[] = {
    "dangerous", "muddy", "quiet", "closed", "flooded", "safe enough", "full of bandits",
    "blocked by snow", "busy",
};
constexpr std::string_view kEvents[] = {
    "great flood", "last harvest", "winter war", "fall of the tower", "plague year",
    "dragon fire", "long drought", "siege", "last fair", "old king's funeral",
};
constexpr std::string_view kRelatives[] = {
    "brother", "sister", "father", "mother", "son", "daughter", "uncle", "cousin", "husband",
    "wife",
};
constexpr std::string_view kGoods[] = {
    "salt", "wool", "timber", "iron ore", "furs", "amber", "wine", "horses", "cloth", "silver",
};
constexpr std::string_view kDirections[] = {
    "north", "south", "east", "west", "north-east", "south-west", "north-west", "south-east",
};
constexpr std::string_view kTerrain[] = {
    "hills", "cliffs", "mountains", "woods", "marshes", "moors", "dunes", "fells",
};
constexpr std::string_view kRoles[] = {
    "elder", "smith", "priest", "innkeeper", "captain of the guard", "herbalist", "mayor",
    "old scribe",
};
constexpr std::string_view kBuildings[] = {
    "chapel", "town hall", "watchtower", "old keep", "granary", "temple", "guild house",
};
constexpr std::string_view kInns[] = {
    "Golden Goose", "Sleeping Dragon", "Rusty Anchor", "Three Crowns", "Black Boar",
    "Jolly Miller", "Caf\xE9 \xC9lan",
};
constexpr std::string_view kOpeners[] = {
    "Greetings, traveller. ", "Well met! ", "Hmm. ", "Listen. ", "Ah, a stranger. ",
    "Quiet now. ", "By the gods! ", "Good day. ", "Careful. ", "Look! ", "Halt! ", "Alas. ",
};

// Short messages of the world and the interface, written as they are.
constexpr std::string_view kMessages[] = {
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
constexpr std::string_view kMessageForms[] = {
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
constexpr std::string_view kCodedForms[] = {
    "You gain %W experience.", "The @I costs %m.", "You pay %m to @N.", "You lose %W health.",
    "\\c3The @M attacks!\\d", "\\c4@N joins your party.\\d", "It is %T. The shops close.",
    "@P is %l away.", "You sold the @I for %M.", "The @M has %W health left.",
    "Day %w of the journey", "@N owes you %m.", "The @I weighs %f stones.", "\\c5@I\\d found!",
    "\\c8@S\\d is ready.", "\\c7+%W mana\\d", "Reward: %m and the @I", "Rest until %T?",
    "You travelled %l in %t.", "\\c6@P is burning!\\d", "\\c9@N\\d: Welcome back.",
    "Damage: %W", "Price: %m", "\\c1@I (worn)\\d", "\\ca@M\\d", "@S costs %w mana.",
};

// Texts whose codes carry data: two bytes after %S, four after %c (@2, @4).
constexpr std::string_view kDataForms[] = {
    "%S@2 has fallen in battle.", "Chapter %c@4", "%S@2 joins the fight!",
    "You read %c@4.", "%c@4 is closed today.", "The sign reads: %c@4",
    "%S@2 wants to trade with you.", "Reward: %S@2", "%S@2 and %S@2 ride to @P.",
    "\\c4%c@4\\d", "%S@2 is waiting in @P.", "%S@2: I will not forget this.",
    "Title: %c@4", "%S@2 gives you %c@4.",
};

// Sentences of dialogue and narration.
constexpr std::string_view kSentenceForms[] = {
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
constexpr std::string_view kItemNotes[] = {
    "Made by the smiths of @P.", "Heavy, but it will stop an arrow.",
    "It smells of @g.", "The mark of @N is cut into the handle.", "Worth more than it looks.",
    "Found in the ruins near @P.", "Restores some health.", "Restores a little mana.",
    "It hums when a @m is near.", "Nobody in @P would buy this.", "Good against the @m.",
    "A gift from @N.", "It was old before the @e.", "Keeps you warm on the @t.",
    "Traders in @P pay well for these.", "Cheap and light.",
};

// The first sentence of a description of a place, after its name.
constexpr std::string_view kDescriptionOpenings[] = {
    " is a small town on the shore of a cold lake.",
    " is a walled town where two old roads cross.",
    " is a fishing village at the mouth of the river.",
    " is a mining town high in the mountains.",
    " is a market town in the middle of wide fields.",
};

// Sentences of the long descriptions of places.
constexpr std::string_view kDescriptionForms[] = {
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
constexpr std::string_view kClosingNouns[] = {
    "war", "gold", "kings", "heroes", "dragons", "warriors", "sorcerers", "travellers",
    "adventurers",
};
constexpr std::string_view kRunningNouns[] = {
    "feasts", "storms", "battles", "ghosts", "songs", "kings", "queens", "floods", "wolves",
    "giants", "saints", "thieves", "fires", "winters",
};

// Bytes that carry the data of %S and %c: nonzero, and none of them a code (\n, \t, \x0D, \d,
// a picture) that would confuse a reader of the text.
constexpr std::uint8_t kDataBytes[] = {1,  2,  3,  4,  6,  7,  8,  9,  11, 12, 15, 16, 17,
                                       18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 29, 30, 31};
// clang-format on

bool isVowel(char c) {
    return std::string_view("aeiouyAEIOUY").find(c) != std::string_view::npos;
}

std::string lowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

// Makes the texts of each kind, in C-style notation.
class SampleWriter {
public:
    explicit SampleWriter(std::uint32_t seed) : random_(seed) {}

    SampleRandom& random() { return random_; }

    // A name of two or three syllables; the middle one only between two consonants.
    std::string name() {
        std::string result(random_.pick(kNameStarts));
        const std::string_view middle = random_.pick(kNameMiddles);
        const std::string_view end = random_.pick(kNameEnds);
        if (!isVowel(result.back()) && !isVowel(end.front())) {
            result += middle;
        }
        result += end;
        return result;
    }
    std::string titledName() {
        if (random_.percent(50)) {
            return std::string(random_.pick(kTitlesBefore)) + " " + name();
        }
        return name() + " " + std::string(random_.pick(kTitlesAfter));
    }
    std::string place() {
        return std::string(random_.pick(kPlaceStarts)) + std::string(random_.pick(kPlaceEnds));
    }
    std::string placeFeature() {
        if (random_.percent(25)) {
            return "The " + std::string(random_.pick(kPlaceStarts)) + " " +
                   std::string(random_.pick(kPlaceFeatures));
        }
        return place() + " " + std::string(random_.pick(kPlaceFeatures));
    }
    std::string item() {
        const ItemGroup& group = kItemGroups[random_.below(std::size(kItemGroups))];
        const std::string base(random_.pick(group.bases));
        const unsigned form = random_.below(100);
        if (form < 8) {
            return base;
        }
        if (group.takesVirtue && form >= 75) {
            return base + " of " + std::string(random_.pick(kVirtues));
        }
        const std::string material(random_.pick(group.materials));
        if (form < 40) {
            return material + " " + base;
        }
        const std::string quality(random_.pick(group.qualities));
        if (form < 60) {
            return quality + " " + base;
        }
        return quality + " " + material + " " + base;
    }
    std::string monster() {
        const std::string base(random_.pick(kMonsters));
        if (random_.percent(10)) {
            return base;
        }
        return std::string(random_.pick(kMonsterWords)) + " " + base;
    }
    std::string spell() {
        return std::string(random_.pick(kSpellFirst)) + " " +
               std::string(random_.pick(kSpellSecond));
    }
    std::string data(int count) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        std::string result;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t byte = kDataBytes[random_.below(std::size(kDataBytes))];
            result += "\\x";
            result += kHex[byte >> 4];
            result += kHex[byte & 0xF];
        }
        return result;
    }

    // The form with each @ mark replaced by a word of its kind.
    std::string fill(std::string_view form) {
        std::string result;
        for (std::size_t i = 0; i < form.size(); ++i) {
            if (form[i] != '@' || i + 1 >= form.size()) {
                result += form[i];
                continue;
            }
            switch (form[++i]) {
                case 'N':
                    result += name();
                    break;
                case 'P':
                    result += place();
                    break;
                case 'Q':
                    result += place();
                    break;
                case 'I':
                    result += item();
                    break;
                case 'i':
                    result += lowerCase(item());
                    break;
                case 'M':
                    result += monster();
                    break;
                case 'm':
                    result += lowerCase(monster());
                    break;
                case 'S':
                    result += spell();
                    break;
                case 'a':
                    result += random_.pick(kRoadStates);
                    break;
                case 'e':
                    result += random_.pick(kEvents);
                    break;
                case 'r':
                    result += random_.pick(kRelatives);
                    break;
                case 'g':
                    result += random_.pick(kGoods);
                    break;
                case 'd':
                    result += random_.pick(kDirections);
                    break;
                case 't':
                    result += random_.pick(kTerrain);
                    break;
                case 'o':
                    result += random_.pick(kRoles);
                    break;
                case 'b':
                    result += random_.pick(kBuildings);
                    break;
                case 'c':
                    result += random_.pick(kInns);
                    break;
                case '2':
                    result += data(2);
                    break;
                case '4':
                    result += data(4);
                    break;
                default:
                    throw std::logic_error("unknown mark in a sample form");
            }
        }
        return result;
    }

    std::string sentence() {
        std::string text = fill(random_.pick(kSentenceForms));
        if (random_.percent(30)) {
            text = std::string(random_.pick(kOpeners)) + text;
        }
        return text;
    }

    // The words in an order of chance.
    std::vector<std::string_view> shuffled(Words words) {
        std::vector<std::string_view> result(words.begin(), words.end());
        for (std::size_t i = result.size() - 1; i > 0; --i) {
            std::swap(result[i], result[random_.below(i + 1)]);
        }
        return result;
    }

    // A description of a place, of sentences until it holds at least minLength characters;
    // no sentence comes twice before every one has come once.
    std::string description(std::size_t minLength) {
        std::string text = place() + std::string(random_.pick(kDescriptionOpenings));
        std::vector<std::string_view> forms;
        std::size_t next = 0;
        while (text.size() < minLength) {
            if (next == forms.size()) {
                forms = shuffled(kDescriptionForms);
                next = 0;
            }
            text += ' ';
            text += fill(forms[next++]);
        }
        return text;
    }

    // A description of exactly length characters (at least 200), closed by a list of what
    // the old songs tell of.
    std::string descriptionOf(std::size_t length) {
        static constexpr std::string_view kClosing = " The old songs still tell of its ";
        static constexpr std::size_t kClosingRoom = 60;
        const std::size_t room = length - kClosingRoom;
        std::string text = place() + std::string(random_.pick(kDescriptionOpenings));
        // Whole sentences while they fit, until less than kClosingRoom more is left.
        for (bool added = true; added && room - text.size() >= kClosingRoom;) {
            added = false;
            for (const std::string_view form : shuffled(kDescriptionForms)) {
                const std::string sentence = fill(form);
                if (text.size() + 1 + sentence.size() <= room) {
                    text += ' ';
                    text += sentence;
                    added = true;
                }
            }
        }
        text += kClosing;
        const std::vector<std::string_view> nouns = shuffled(kRunningNouns);
        std::size_t next = 0;
        text += nouns[next++];
        // Each noun with its separator takes at most 9 characters; the closing " and X."
        // needs 9 to 17.
        while (length - text.size() > 17) {
            text += ", ";
            text += nouns[next++ % nouns.size()];
        }
        const std::size_t last = length - text.size() - 6;  // 3 to 11 letters
        text += " and ";
        text += kClosingNouns[last - 3];
        text += '.';
        return text;
    }

private:
    SampleRandom random_;
};

}  // namespace

}  // namespace tarn

namespace tarn {

namespace {

constexpr std::uint32_t kSampleSeed = 0x7A4E5EED;
constexpr int kMenuLast = 200;      // texts 2 to 200: menus and the interface
constexpr int kLabelsFirst = 3300;  // texts from here on: names and short labels
constexpr int kEmptyText = 100;
// The description whose length is set so that layout A is left kTargetFree bytes.
constexpr int kFittedText = 3120;
constexpr std::int64_t kTargetFree = 90;
constexpr std::int64_t kFreeTolerance = 30;
constexpr std::size_t kFittedStartLength = 400;
constexpr std::size_t kFittedMinLength = 400;
constexpr std::size_t kFittedMaxLength = 1500;
// The other long descriptions and where they stand.
constexpr int kDescriptionTexts[] = {420, 777, 1130, 1492, 1861, 2233, 2610, 2987};
// Every this many texts of the body, a text that repeats an earlier one word for word.
constexpr int kRepeatEvery = 150;

enum class Kind {
    Name,
    TitledName,
    Place,
    PlaceFeature,
    Item,
    Monster,
    Spell,
    Message,
    FormMessage,
    EchoMessage,
    Coded,
    Data,
    Sentence,
    ItemNote,
};

struct KindWeight {
    Kind kind;
    int weight;
};

// The share of the body each kind gets, in parts of the sum of all weights.
constexpr KindWeight kBodyKinds[] = {
    {Kind::Name, 300},       {Kind::TitledName, 30},  {Kind::Place, 110}, {Kind::PlaceFeature, 30},
    {Kind::Item, 170},       {Kind::Monster, 70},     {Kind::Spell, 50},  {Kind::Message, 30},
    {Kind::FormMessage, 70}, {Kind::EchoMessage, 10}, {Kind::Coded, 30},  {Kind::Data, 10},
    {Kind::Sentence, 100},   {Kind::ItemNote, 40},
};

class SampleBuilder {
public:
    SampleBuilder()
        : writer_(kSampleSeed),
          texts_(static_cast<std::size_t>(kTextCount)),
          assigned_(static_cast<std::size_t>(kTextCount), false) {}

    std::vector<std::string> build() {
        const std::vector<std::string> sentences = codeSentences();
        assign(1, sentences[0]);  // the first row shown
        assign(kEmptyText, "");
        int n = 2;
        for (const std::string_view word : kMenuWords) {
            n = assignNext(n, raw(word));
        }
        while (n <= kMenuLast) {
            n = assignNext(n, fresh(n % 3 == 0 ? Kind::Message : Kind::Spell));
        }
        const int labelsAtEnd = kTextCount - static_cast<int>(std::size(kShortLabels));
        for (std::size_t i = 0; i < std::size(kShortLabels); ++i) {
            assign(labelsAtEnd + 1 + static_cast<int>(i), raw(kShortLabels[i]));
        }
        for (int at = kMenuLast + kRepeatEvery / 2, k = 0; at < kLabelsFirst;
             at += kRepeatEvery, ++k) {
            assign(at,
                   raw(kRepeatedTexts[static_cast<std::size_t>(k) % std::size(kRepeatedTexts)]));
        }
        for (const int at : kDescriptionTexts) {
            assign(at, raw(writer_.description(
                           static_cast<std::size_t>(writer_.random().between(260, 620)))));
        }
        fittedLength_ = kFittedStartLength;
        assign(kFittedText, raw(writer_.descriptionOf(fittedLength_)));
        placeCodedTexts(sentences);
        fillBody();
        fitToLayoutA();
        return std::move(texts_);
    }

private:
    void assign(int n, std::string text) {
        used_.insert(text);
        texts_[static_cast<std::size_t>(n - 1)] = std::move(text);
        assigned_[static_cast<std::size_t>(n - 1)] = true;
    }
    // Assigns text to the first free number from n on; answers the number after it.
    int assignNext(int n, std::string text) {
        while (assigned_[static_cast<std::size_t>(n - 1)]) {
            ++n;
        }
        assign(n, std::move(text));
        return n + 1;
    }

    // The code sentences, except those whose %S or %c goes without its data bytes, and the
    // data texts that give those codes their bytes, spread evenly over the body.
    void placeCodedTexts(const std::vector<std::string>& sentences) {
        std::vector<std::string> coded;
        for (std::size_t i = 1; i < sentences.size(); ++i) {
            const std::string& s = sentences[i];
            if (s.find(static_cast<char>(131)) == std::string::npos &&
                s.find(static_cast<char>(132)) == std::string::npos) {
                coded.push_back(s);
            }
        }
        for (const std::string_view form : kDataForms) {
            coded.push_back(raw(writer_.fill(form)));
        }
        const int first = kMenuLast + 30;
        const int spacing = (kLabelsFirst - 20 - first) / static_cast<int>(coded.size());
        for (std::size_t i = 0; i < coded.size(); ++i) {
            assignNext(first + static_cast<int>(i) * spacing, std::move(coded[i]));
        }
    }

    // The rest of the body: runs of texts of one kind, as a game's table groups them. Each
    // kind gets its share of the body exactly, so the sample's size hardly depends on chance.
    void fillBody() {
        int free = 0;
        for (int n = kMenuLast + 1; n < kLabelsFirst; ++n) {
            free += assigned_[static_cast<std::size_t>(n - 1)] ? 0 : 1;
        }
        int totalWeight = 0;
        for (const KindWeight& k : kBodyKinds) {
            totalWeight += k.weight;
        }
        SampleRandom& random = writer_.random();
        std::vector<std::pair<Kind, int>> runs;
        int given = 0;
        for (const KindWeight& k : kBodyKinds) {
            int count = free * k.weight / totalWeight;
            given += count;
            while (count > 0) {
                const int run = count < 20 ? count : random.between(3, 16);
                runs.emplace_back(k.kind, run);
                count -= run;
            }
        }
        runs.emplace_back(Kind::Name, free - given);
        for (std::size_t i = runs.size() - 1; i > 0; --i) {
            std::swap(runs[i], runs[random.below(i + 1)]);
        }
        std::size_t run = 0;
        int runLeft = 0;
        for (int n = kMenuLast + 1; n < kLabelsFirst; ++n) {
            if (assigned_[static_cast<std::size_t>(n - 1)]) {
                continue;
            }
            while (runLeft == 0) {
                runLeft = runs[run++].second;
            }
            --runLeft;
            assign(n, fresh(runs[run - 1].first));
        }
        for (int n = kLabelsFirst; n <= kTextCount; ++n) {
            if (!assigned_[static_cast<std::size_t>(n - 1)]) {
                assign(n, fresh(n % 2 == 0 ? Kind::Name : Kind::Place));
            }
        }
    }

    // A text of the kind that no other text has yet (a name when the kind has run out).
    std::string fresh(Kind kind) {
        for (int attempt = 0; attempt < 40; ++attempt) {
            std::string text = raw(make(kind));
            if (!used_.contains(text)) {
                return text;
            }
        }
        for (;;) {
            std::string text = raw(writer_.titledName());
            if (!used_.contains(text)) {
                return text;
            }
        }
    }

    std::string make(Kind kind) {
        SampleRandom& random = writer_.random();
        switch (kind) {
            case Kind::Name:
                return writer_.name();
            case Kind::TitledName:
                return writer_.titledName();
            case Kind::Place:
                return writer_.place();
            case Kind::PlaceFeature:
                return writer_.placeFeature();
            case Kind::Item:
                return writer_.item();
            case Kind::Monster:
                return writer_.monster();
            case Kind::Spell:
                return writer_.spell();
            case Kind::Message:
                if (nextMessage_ < std::size(kMessages)) {
                    messages_.emplace_back(kMessages[nextMessage_++]);
                    return messages_.back();
                }
                [[fallthrough]];
            case Kind::FormMessage:
                messages_.push_back(writer_.fill(random.pick(kMessageForms)));
                return messages_.back();
            case Kind::EchoMessage:
                // A message said again with a word before it: the stored text of the message
                // is the tail of this one.
                if (messages_.empty()) {
                    return writer_.sentence();
                }
                return std::string(random.pick(kOpeners)) +
                       messages_[random.below(messages_.size())];
            case Kind::Coded:
                return writer_.fill(random.pick(kCodedForms));
            case Kind::Data:
                return writer_.fill(random.pick(kDataForms));
            case Kind::Sentence:
                return writer_.sentence();
            case Kind::ItemNote:
                return writer_.fill(random.pick(kItemNotes));
        }
        return writer_.name();
    }

    // Sets the length of the fitted description so that the writer's placement in layout A
    // leaves about kTargetFree bytes; that description stands in the last area, where its
    // length moves nothing else.
    void fitToLayoutA() {
        const TextAreaTable& areas = profileByNumber(1).textAreas;
        for (int round = 0; round < 4; ++round) {
            const StoredTexts stored = storedTexts(texts_, false);
            std::vector<int> shares = findShareTargets(stored.texts);
            followShareChains(shares);
            const PlacementPlan plan = planPlacement(areas, stored.texts, shares);
            const std::int64_t off =
                plan.fits() ? plan.freeSpace - kTargetFree : -(plan.shortfall + kTargetFree);
            if (plan.fits() && std::abs(off) <= kFreeTolerance) {
                return;
            }
            const auto length = static_cast<std::int64_t>(fittedLength_) + off;
            if (length < static_cast<std::int64_t>(kFittedMinLength) ||
                length > static_cast<std::int64_t>(kFittedMaxLength)) {
                throw std::logic_error("the sample texts are far from the size of the areas");
            }
            fittedLength_ = static_cast<std::size_t>(length);
            texts_[kFittedText - 1] = raw(writer_.descriptionOf(fittedLength_));
        }
        throw std::logic_error("the sample texts do not settle on the size of the areas");
    }

    SampleWriter writer_;
    std::vector<std::string> texts_;
    std::vector<bool> assigned_;
    std::unordered_set<std::string> used_;
    std::vector<std::string> messages_;  // the messages made so far, for the echoes
    std::size_t nextMessage_ = 0;
    std::size_t fittedLength_ = 0;
};

}  // namespace

std::vector<std::string> sampleTexts() {
    return SampleBuilder().build();
}

}  // namespace tarn
