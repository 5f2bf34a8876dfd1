// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the full sample's texts of each kind from the word tables, in C-style notation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "exetext/sample_words.h"

namespace tarn::sample {

inline bool isVowel(char c) {
    return std::string_view("aeiouyAEIOUY").find(c) != std::string_view::npos;
}

inline std::string lowerCase(std::string_view text) {
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

}  // namespace tarn::sample
