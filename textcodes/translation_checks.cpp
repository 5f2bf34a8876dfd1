// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/translation_checks.h"

#include <algorithm>
#include <bitset>

#include "common/bytes.h"
#include "common/utf8.h"
#include "textcodes/code_table.h"
#include "textcodes/consistency_check.h"
#include "textcodes/cstyle.h"

namespace tarn {

namespace {

// What the checks compare, gathered in one walk over a raw text. Picture sequences are read
// as rawToCStyle reads them; their count and number bytes are no characters.
struct Census {
    std::string valueCodes;  // bytes 123..141 in text order
    std::vector<std::uint32_t> pictures;
    int colours = 0;
    int defaultColours = 0;
    int thin = 0;
    int lineBreaks = 0;
    int leadingSpaces = 0;
    int trailingSpaces = 0;
    std::bitset<256> bytes;  // every byte outside picture sequences
};

Census takeCensus(std::string_view raw) {
    Census census;
    bool leading = true;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(raw[i]);
        if (byte == ' ') {
            ++(leading ? census.leadingSpaces : census.trailingSpaces);
            census.bytes.set(byte);
            continue;
        }
        leading = false;
        census.trailingSpaces = 0;
        census.bytes.set(byte);
        if (byte == kPictureCode) {
            std::uint32_t number = 0;
            i = readPicture(raw, i, number) - 1;
            census.pictures.push_back(number);
        } else if (byte >= kFirstValueCode && byte <= kLastValueCode) {
            census.valueCodes += static_cast<char>(byte);
        } else if (byte >= kFirstColourCode && byte <= kLastColourCode) {
            ++census.colours;
        } else if (byte == kDefaultColourCode) {
            ++census.defaultColours;
        } else if (byte == kThinLettersCode) {
            ++census.thin;
        } else if (byte == kLineBreakCode) {
            ++census.lineBreaks;
        }
    }
    return census;
}

bool isControlByte(std::uint8_t byte) {
    return byte < 32 && byte != kLineBreakCode && byte != kThinLettersCode &&
           byte != kDefaultColourCode && byte != kPictureCode;
}

bool isPrintable(char32_t c) {
    return c >= 0x20 && !(c >= 0x7F && c <= 0x9F);
}

bool holdsLetter(const Census& census, const ByteCharacters& characters) {
    for (int byte = 32; byte < 256; ++byte) {
        const bool code = findTextCode(static_cast<std::uint8_t>(byte)) != nullptr;
        if (census.bytes.test(static_cast<std::size_t>(byte)) && !code &&
            isLetter(characters[static_cast<std::size_t>(byte)])) {
            return true;
        }
    }
    return false;
}

std::string counted(int n, std::string_view what) {
    return std::to_string(n) + " " + std::string(what) + (n == 1 ? "" : "s");
}

// "<n what>, the original has <m>"
std::string countMessage(int n, int original, std::string_view what, bool plural = true) {
    return (plural ? counted(n, what) : std::to_string(n) + " " + std::string(what)) +
           ", the original has " + std::to_string(original);
}

std::string codeList(std::string_view codes) {
    std::string list;
    for (const char c : codes) {
        list += list.empty() ? "" : " ";
        list += findTextCode(static_cast<std::uint8_t>(c))->notation;
    }
    return list;
}

std::string pictureList(std::vector<std::uint32_t> pictures) {
    std::sort(pictures.begin(), pictures.end());
    std::string list;
    for (const std::uint32_t number : pictures) {
        std::string raw;
        appendCompactPicture(raw, number);
        list += (list.empty() ? "" : " ") + rawToCStyle(raw);
    }
    return list;
}

// "value codes %s %N, the original has %N %s", "no value codes, the original has %N", ...
std::string listMessage(std::string_view what, const std::string& mine,
                        const std::string& original) {
    const std::string head =
        mine.empty() ? "no " + std::string(what) : std::string(what) + " " + mine;
    return head + ", the original has " + (original.empty() ? "none" : original);
}

// The data of each code that takes data, in text order, as the game reads it: the stored bytes
// after the code, a picture being 23 and its four number bytes.
struct CodeData {
    std::uint8_t code;
    std::string data;
    bool cutShort;  // the text ends before the code's data does
};

std::vector<CodeData> codeData(std::string_view raw) {
    std::vector<CodeData> list;
    static constexpr char kDataCodes[] = {static_cast<char>(kStringDataCode),
                                          static_cast<char>(kCharacterDataCode)};
    if (raw.find_first_of(std::string_view(kDataCodes, 2)) == std::string_view::npos) {
        return list;  // the common case: no code takes data
    }
    const std::string stored = expandPictures(raw);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(stored[i]);
        if (byte == kPictureCode) {
            i += 4;
            continue;
        }
        const auto length = static_cast<std::size_t>(codeDataLength(byte));
        if (length == 0) {
            continue;
        }
        const std::size_t held = std::min(length, stored.size() - i - 1);
        list.push_back({byte, stored.substr(i + 1, held), held < length});
        i += held;
    }
    return list;
}

// Data bytes as the cell shows them: codes in their notation, characters through the page.
std::string dataText(std::string_view data, const ByteCharacters& characters) {
    std::string text = "\"";
    for (const char c : data) {
        const auto byte = static_cast<std::uint8_t>(c);
        const TextCode* code = findTextCode(byte);
        if (code != nullptr) {
            text += code->notation;
        } else if (byte >= 32 && characters[byte] != 0) {
            appendUtf8(text, characters[byte]);
        } else {
            text += "\\x" + hexByte(byte);
        }
    }
    return text + "\"";
}

// "%S data "pa", the original has "ha"; %c data "x" cut short, the original has "abcd"", or
// empty when the data of every pair of codes agree.
std::string dataMessage(std::string_view originalRaw, std::string_view translatedRaw,
                        const ByteCharacters& characters) {
    const std::vector<CodeData> translated = codeData(translatedRaw);
    if (translated.empty()) {
        return {};
    }
    const std::vector<CodeData> original = codeData(originalRaw);
    std::string message;
    for (std::size_t k = 0; k < std::min(translated.size(), original.size()); ++k) {
        const CodeData& mine = translated[k];
        const CodeData& theirs = original[k];
        // Other codes are the value-codes check's; an original whose own data the text's end
        // cuts short has none to compare with.
        if (mine.code != theirs.code || theirs.cutShort ||
            (mine.data == theirs.data && !mine.cutShort)) {
            continue;
        }
        message += message.empty() ? "" : "; ";
        message += std::string(findTextCode(mine.code)->notation) + " data " +
                   dataText(mine.data, characters) + (mine.cutShort ? " cut short" : "") +
                   ", the original has " + dataText(theirs.data, characters);
    }
    return message;
}

std::string typedCodeMessage(std::uint8_t byte, const ByteCharacters& characters) {
    const TextCode* code = findTextCode(byte);
    std::string message;
    appendUtf8(message, characters[byte]);
    message += byte >= kFirstColourCode ? " is the colour code " : " is the value code ";
    message += code->notation;
    if (!code->caption.empty()) {
        message += " (" + std::string(code->caption) + ")";
    }
    return message + ", not a character";
}

void compare(std::string_view originalRaw, std::string_view translatedRaw,
             const std::bitset<256>& typedBytes, const ByteCharacters& characters,
             std::vector<CheckFinding>& findings) {
    const Census original = takeCensus(originalRaw);
    const Census translated = takeCensus(translatedRaw);
    auto add = [&findings](Severity severity, std::string_view check, std::string message,
                           std::uint8_t byte = 0) {
        findings.push_back({severity, check, std::move(message), byte});
    };

    if (translated.valueCodes != original.valueCodes) {
        add(Severity::Error, "value-codes",
            listMessage("value codes", codeList(translated.valueCodes),
                        codeList(original.valueCodes)));
    }
    if (std::string data = dataMessage(originalRaw, translatedRaw, characters); !data.empty()) {
        add(Severity::Error, "value-data", std::move(data));
    }
    auto sortedPictures = [](std::vector<std::uint32_t> p) {
        std::sort(p.begin(), p.end());
        return p;
    };
    if (sortedPictures(translated.pictures) != sortedPictures(original.pictures)) {
        add(Severity::Error, "pictures",
            listMessage("pictures", pictureList(translated.pictures),
                        pictureList(original.pictures)));
    }
    std::string colours;
    if (translated.colours != original.colours) {
        colours = countMessage(translated.colours, original.colours, "colour code");
    }
    if (translated.defaultColours != original.defaultColours) {
        colours += (colours.empty() ? "" : "; ") +
                   countMessage(translated.defaultColours, original.defaultColours, "\\d", false);
    }
    if (!colours.empty()) {
        add(Severity::Warning, "colours", colours);
    }
    if (translated.thin != original.thin) {
        add(Severity::Warning, "thin", countMessage(translated.thin, original.thin, "\\t", false));
    }
    for (int byte = kFirstValueCode; byte <= kLastColourCode; ++byte) {
        const auto b = static_cast<std::size_t>(byte);
        if (typedBytes.test(b) && translated.bytes.test(b) && !original.bytes.test(b) &&
            isPrintable(characters[b])) {
            add(Severity::Warning, "typed-code",
                typedCodeMessage(static_cast<std::uint8_t>(byte), characters),
                static_cast<std::uint8_t>(byte));
        }
    }
    std::string spaces;
    if (translated.leadingSpaces != original.leadingSpaces) {
        spaces = countMessage(translated.leadingSpaces, original.leadingSpaces, "leading space");
    }
    if (translated.trailingSpaces != original.trailingSpaces) {
        spaces +=
            (spaces.empty() ? "" : "; ") +
            countMessage(translated.trailingSpaces, original.trailingSpaces, "trailing space");
    }
    if (!spaces.empty()) {
        add(Severity::Warning, "spaces", spaces);
    }
    std::string control;
    int controlCount = 0;
    for (int byte = 0; byte < 32; ++byte) {
        const auto b = static_cast<std::size_t>(byte);
        if (isControlByte(static_cast<std::uint8_t>(byte)) && translated.bytes.test(b) &&
            !original.bytes.test(b)) {
            control +=
                (control.empty() ? "" : " ") + rawToCStyle(std::string(1, static_cast<char>(byte)));
            ++controlCount;
        }
    }
    if (controlCount > 0) {
        add(Severity::Warning, "control",
            control + (controlCount == 1 ? " is" : " are") + " not in the original");
    }
    if (translated.lineBreaks != original.lineBreaks) {
        add(Severity::Info, "line-breaks",
            countMessage(translated.lineBreaks, original.lineBreaks, "line break"));
    }
    if (translatedRaw == originalRaw && holdsLetter(translated, characters)) {
        add(Severity::Info, "untranslated", "the text is the same as the original");
    }
}

// C-style cells as raw texts for the stored lengths and the checks across texts. A malformed
// translation counts as untranslated and a malformed original as empty, so that neither takes
// part.
std::pair<std::vector<std::string>, std::vector<std::string>> rawPairs(
    const std::vector<std::string>& originals, const std::vector<std::string>& translations,
    std::size_t count) {
    std::pair<std::vector<std::string>, std::vector<std::string>> raw;
    raw.first.resize(count);
    raw.second.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        Converted<std::string> original = cStyleToRaw(originals[i]);
        if (!original) {
            continue;  // both stay empty
        }
        Converted<std::string> translation = cStyleToRaw(translations[i]);
        raw.second[i] = translation ? std::move(translation.value()) : original.value();
        raw.first[i] = std::move(original.value());
    }
    return raw;
}

}  // namespace

std::string_view severityName(Severity severity) {
    switch (severity) {
        case Severity::Info:
            return "info";
        case Severity::Warning:
            return "warning";
        case Severity::Error:
            break;
    }
    return "error";
}

ByteCharacters byteCharacters(const CodePage& codePage) {
    ByteCharacters table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte) {
        const auto b = static_cast<unsigned char>(byte);
        table[byte] = codePage.isAssigned(b) ? codePage.toUnicode(b) : U'\0';
    }
    return table;
}

const ByteCharacters& windows1252Characters() {
    static const ByteCharacters characters = byteCharacters(CodePage());
    return characters;
}

void checkTranslation(std::string_view original, std::string_view translated, Notation notation,
                      const ByteCharacters& characters, std::vector<CheckFinding>& findings) {
    std::bitset<256> typedBytes;
    if (notation == Notation::Raw) {
        typedBytes.set();
        compare(original, translated, typedBytes, characters, findings);
        return;
    }
    const Converted<std::string> translatedRaw = cStyleToRaw(translated);
    if (!translatedRaw) {
        findings.push_back({Severity::Error, "cstyle", translatedRaw.problem().message});
        return;
    }
    const Converted<std::string> originalRaw = cStyleToRaw(original);
    if (!originalRaw) {
        return;
    }
    // C-style notation writes every code as an escape, so only a code byte that stands in
    // the cell as itself was typed as a character.
    for (const char c : translated) {
        typedBytes.set(static_cast<std::uint8_t>(c));
    }
    compare(originalRaw.value(), translatedRaw.value(), typedBytes, characters, findings);
}

std::vector<CheckFinding> checkTranslation(std::string_view original, std::string_view translated,
                                           Notation notation, const ByteCharacters& characters) {
    std::vector<CheckFinding> findings;
    checkTranslation(original, translated, notation, characters, findings);
    return findings;
}

void checkStoredLength(std::string_view originalRaw, std::string_view translatedRaw,
                       std::vector<CheckFinding>& findings) {
    const std::size_t original = storedLength(originalRaw);
    const std::size_t translated = storedLength(translatedRaw);
    if (translated > original) {
        const int excess = static_cast<int>(translated - original);
        findings.push_back({Severity::Info, "longer",
                            "longer than the original by " + counted(excess, "byte"), 0, excess});
    }
}

std::vector<TextFinding> checkTranslations(const std::vector<std::string>& originals,
                                           const std::vector<std::string>& translations,
                                           Notation notation, const ByteCharacters& characters) {
    const std::size_t count = std::min(originals.size(), translations.size());
    // The raw pairs, for the stored lengths and the checks across texts.
    std::pair<std::vector<std::string>, std::vector<std::string>> converted;
    const bool fromCStyle = notation == Notation::CStyle;
    if (fromCStyle) {
        converted = rawPairs(originals, translations, count);
    }
    const std::vector<std::string>& rawOriginals = fromCStyle ? converted.first : originals;
    const std::vector<std::string>& rawTranslations = fromCStyle ? converted.second : translations;

    std::vector<TextFinding> all;
    std::vector<CheckFinding> findings;
    for (std::size_t i = 0; i < count; ++i) {
        findings.clear();
        checkTranslation(originals[i], translations[i], notation, characters, findings);
        checkStoredLength(rawOriginals[i], rawTranslations[i], findings);
        for (CheckFinding& finding : findings) {
            all.push_back({static_cast<int>(i + 1), std::move(finding)});
        }
    }
    std::vector<TextFinding> across;
    for (const Inconsistency& found :
         findInconsistencies(rawOriginals, rawTranslations, characters)) {
        across.push_back({static_cast<int>(found.index + 1),
                          inconsistentFinding("text " + std::to_string(found.prevailing + 1))});
    }
    mergeFindings(all, std::move(across));
    return all;
}

bool isLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xAA || c == 0xB5 ||
           c == 0xBA || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) ||
           (c >= 0x386 && c <= 0x3FF && c != 0x387) || (c >= 0x400 && c <= 0x4FF) ||
           (c >= 0x5D0 && c <= 0x5EA) || (c >= 0x620 && c <= 0x64A) || (c >= 0x671 && c <= 0x6D3) ||
           (c >= 0xE01 && c <= 0xE30) || (c >= 0x1E00 && c <= 0x1EFF);
}

bool holdsLetter(std::string_view raw, const ByteCharacters& characters) {
    return holdsLetter(takeCensus(raw), characters);
}

bool hasError(const std::vector<TextFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const TextFinding& f) { return f.finding.severity == Severity::Error; });
}

}  // namespace tarn
