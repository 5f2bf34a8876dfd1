// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/po_header.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <stdexcept>

#include "common/file_identity.h"
#include "platform/core/utc_time.h"

namespace tarn {

PoHeaderFields poHeader(std::string_view language, std::string_view version, std::time_t written,
                        std::string_view program) {
    if (!language.empty() && !isPoLanguageCode(language)) {
        throw std::invalid_argument("not a language code: \"" + std::string(language) + "\"");
    }
    const std::tm utc = platform::utcTime(written);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M+0000", &utc);
    return {
        {"Project-Id-Version", "Tarn"},
        {"PO-Revision-Date", date},
        {"Last-Translator", ""},
        {"Language-Team", ""},
        {"Language", std::string(language)},
        {"MIME-Version", "1.0"},
        {"Content-Type", "text/plain; charset=UTF-8"},
        {"Content-Transfer-Encoding", "8bit"},
        {"X-Generator", std::string(program) + (version.empty() ? "" : " ") + std::string(version)},
    };
}

bool isPoLanguageCode(std::string_view language) {
    return !language.empty() && std::all_of(language.begin(), language.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.' || c == '@';
    });
}

std::string proposedPoLanguage(std::string_view spellingLanguage, int codePage) {
    if (!spellingLanguage.empty() && isPoLanguageCode(spellingLanguage)) {
        std::string language(spellingLanguage);
        std::replace(language.begin(), language.end(), '-', '_');
        return language;
    }
    static constexpr std::pair<int, const char*> kLanguages[] = {
        {874, "th"},  {1250, "pl"}, {1251, "ru"}, {1253, "el"}, {1254, "tr"},
        {1255, "he"}, {1256, "ar"}, {1257, "lt"}, {1258, "vi"},
    };
    for (const auto& [page, language] : kLanguages) {
        if (page == codePage) {
            return language;
        }
    }
    return {};
}

namespace {

constexpr const char* kCodePageField = "X-Tarn-Code-Page";
constexpr const char* kTableField = "X-Tarn-Character-Table";

std::string tableFieldValue(const PoCharacters& characters) {
    if (characters.tableName.empty()) {
        return {};
    }
    char digest[17];
    std::snprintf(digest, sizeof digest, "%016llx",
                  static_cast<unsigned long long>(characters.tableDigest));
    // The name is kept on the header's line: a control character in it becomes a space.
    std::string name = characters.tableName;
    std::replace_if(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return name + " " + digest;
}

const std::string* fieldValue(const PoHeaderFields& header, std::string_view field) {
    for (const auto& [name, value] : header) {
        if (name == field) {
            return &value;
        }
    }
    return nullptr;
}

// "code page 1250 and the character table czech.tbl"; the table's name is the value without
// its digest.
std::string charactersText(const std::string& codePage, const std::string& table) {
    const std::size_t space = table.rfind(' ');
    return "code page " + codePage + " and " +
           (table.empty() ? "no character table"
                          : "the character table " + table.substr(0, space));
}

}  // namespace

PoCharacters poCharactersOf(const CodePage& page, const std::string& tableName) {
    PoCharacters characters;
    characters.codePage = page.number();
    if (page.hasPlaced()) {
        std::array<std::uint8_t, 256 * 4> map{};
        for (std::size_t byte = 0; byte < 256; ++byte) {
            const char32_t c = page.toUnicode(static_cast<unsigned char>(byte));
            for (std::size_t i = 0; i < 4; ++i) {
                map[byte * 4 + i] = static_cast<std::uint8_t>(c >> (8 * i));
            }
        }
        characters.tableDigest = hashBytes(map);
        characters.tableName = tableName.empty() ? "(unnamed)" : tableName;
    }
    return characters;
}

void addCharacterFields(PoHeaderFields& header, const PoCharacters& characters) {
    header.emplace_back(kCodePageField, std::to_string(characters.codePage));
    header.emplace_back(kTableField, tableFieldValue(characters));
}

std::optional<std::string> characterMismatch(const PoHeaderFields& header,
                                             const PoCharacters& reading,
                                             const std::string& fileName) {
    const std::string* codePage = fieldValue(header, kCodePageField);
    const std::string* table = fieldValue(header, kTableField);
    if (codePage == nullptr) {
        return std::nullopt;
    }
    const std::string readingPage = std::to_string(reading.codePage);
    const std::string readingTable = tableFieldValue(reading);
    const std::string madeTable = table == nullptr ? std::string() : *table;
    // The digest tells tables apart; a table renamed or moved is still the same table.
    const auto digestOf = [](const std::string& value) {
        const std::size_t space = value.rfind(' ');
        return space == std::string::npos ? value : value.substr(space + 1);
    };
    if (*codePage == readingPage && digestOf(madeTable) == digestOf(readingTable)) {
        return std::nullopt;
    }
    return fileName + ": made with " + charactersText(*codePage, madeTable) + ", read with " +
           charactersText(readingPage, readingTable) + "; letters may come out wrong";
}

}  // namespace tarn
