#include "exetext/sample_executable.h"

#include <iterator>
#include <stdexcept>
#include <string_view>

#include "exetext/exe_profile.h"
#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"

namespace tarn {

Bytes makeSampleExecutable(int profile, const std::vector<std::string>& rawTexts,
                           std::uint8_t primaryLangId, std::uint8_t secondaryLangId) {
    if (profile < 1 || profile > kProfileCount) {
        throw std::invalid_argument("the profile number must be 1 to 4");
    }
    if (rawTexts.size() != static_cast<std::size_t>(kTextCount)) {
        throw std::invalid_argument("a sample executable needs exactly 3453 texts");
    }
    const ExeProfile& p = profileByNumber(profile);
    std::vector<std::string> stored(rawTexts.size());
    for (std::size_t i = 0; i < rawTexts.size(); ++i) {
        stored[i] = expandPictures(rawTexts[i]);
    }
    stored[kPaddedText1 - 1].append(kTextPadding, '\0');
    stored[kPaddedText2 - 1].append(kTextPadding, '\0');
    std::vector<int> shares = findShareTargets(stored);
    followShareChains(shares);

    Bytes file(static_cast<std::size_t>(p.fileSize), 0);
    std::int64_t freeSpace = 0;
    if (!placeStrings(file, p, stored, shares, primaryLangId, secondaryLangId, freeSpace)) {
        throw std::invalid_argument("the texts do not fit into the executable's text areas");
    }
    return file;
}

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

std::vector<std::string> sampleTexts() {
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
