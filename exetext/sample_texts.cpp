// SPDX-License-Identifier: GPL-3.0-or-later
#include "exetext/sample_texts.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <span>
#include <stdexcept>
#include <string_view>
#include <unordered_set>

#include "exetext/exe_profile.h"
#include "exetext/sample_writer.h"
#include "exetext/save_plan.h"
#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"

namespace tarn {

namespace {

// A text written in C-style notation, as a translator would type it.
std::string raw(std::string_view cStyle) {
    Converted<std::string> result = cStyleToRaw(cStyle);
    if (!result) {
        throw std::logic_error("malformed sample text: " + result.problem().message);
    }
    return std::move(result.value());
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

namespace {

using namespace sample;  // the word tables, the random numbers and the writer

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

    // The bytes a placement in text order leaves after the last text of the last area it used,
    // and in the areas after that one: the room the fitted description's length moves.
    static std::int64_t tailRoom(const TextAreaTable& areas, const PlacementPlan& plan,
                                 const std::vector<std::string>& stored) {
        std::size_t lastArea = 0;
        std::int64_t end = areas[0].first;
        for (std::size_t n = 0; n < stored.size(); ++n) {
            for (std::size_t k = 0; k < areas.size() && plan.position[n] >= 0; ++k) {
                const std::int64_t textEnd =
                    plan.position[n] + static_cast<std::int64_t>(stored[n].size()) + 1;
                if (plan.position[n] >= areas[k].first && plan.position[n] <= areas[k].last &&
                    (k > lastArea || (k == lastArea && textEnd > end))) {
                    lastArea = k;
                    end = textEnd;
                }
            }
        }
        std::int64_t room = areas[lastArea].last + 1 - end;
        for (std::size_t k = lastArea + 1; k < areas.size(); ++k) {
            room += areas[k].last - areas[k].first + 1;
        }
        return room;
    }

    // Sets the length of the fitted description so that the writer's placement in layout A
    // leaves about kTargetFree bytes; that description stands in the last area, where its
    // length moves nothing else.
    void fitToLayoutA() {
        const TextAreaTable& areas = profileByNumber(1).textAreas;
        for (int round = 0; round < 4; ++round) {
            const StoredTexts stored = storedTexts(texts_, Notation::Raw);
            std::vector<int> shares = findShareTargets(stored.texts);
            followShareChains(shares);
            const PlacementPlan plan = planPlacementInTextOrder(areas, stored.texts, shares);
            const std::int64_t off = plan.fits() ? tailRoom(areas, plan, stored.texts) - kTargetFree
                                                 : -(plan.neededBytes + kTargetFree);
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
