#include "common/code_page.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "common/code_page_tables.h"
#include "common/utf8.h"

namespace tarn {

namespace code_page_data {

// A page unfolded for fast use: all 256 bytes, and the upper half's characters sorted for the
// way back.
struct FullTable {
    int number = 0;
    std::array<char32_t, 256> characters{};
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
    std::array<std::pair<char32_t, unsigned char>, 128> reverse{};
};

namespace {

char32_t unassignedCharacter(unsigned char byte) {
    return byte < 0xA0 ? char32_t{byte} : char32_t{0xF700u + byte};
}

FullTable unfold(const PageTable& page) {
    FullTable t;
    t.number = page.number;
    for (int b = 0; b < 128; ++b) {
        const auto ascii = static_cast<unsigned char>(b);
        t.characters[b] = ascii;
        t.upper[b] = (ascii >= 'a' && ascii <= 'z') ? static_cast<unsigned char>(b - 32) : ascii;
        t.lower[b] = (ascii >= 'A' && ascii <= 'Z') ? static_cast<unsigned char>(b + 32) : ascii;
    }
    for (std::size_t i = 0; i < 128; ++i) {
        const auto byte = static_cast<unsigned char>(0x80 + i);
        t.characters[byte] = page.characters[i];
        t.upper[byte] = page.upper[i];
        t.lower[byte] = page.lower[i];
        t.reverse[i] = {page.characters[i], byte};
    }
    std::sort(t.reverse.begin(), t.reverse.end());
    return t;
}

const std::array<FullTable, kPageCount>& fullTables() {
    static const std::array<FullTable, kPageCount> tables = [] {
        std::array<FullTable, kPageCount> out;
        for (std::size_t i = 0; i < kPageCount; ++i) {
            out[i] = unfold(kPageTables[i]);
        }
        return out;
    }();
    return tables;
}

const FullTable* findTable(int number) {
    for (const FullTable& t : fullTables()) {
        if (t.number == number) {
            return &t;
        }
    }
    return nullptr;
}

}  // namespace
}  // namespace code_page_data

namespace {

constexpr std::array<int, code_page_data::kPageCount> kNumbers = {874,  1250, 1251, 1252, 1253,
                                                                  1254, 1255, 1256, 1257, 1258};

}  // namespace

CodePage::CodePage() : table_(code_page_data::findTable(kDefaultNumber)) {}

std::optional<CodePage> CodePage::byNumber(int number) {
    if (const auto* table = code_page_data::findTable(number)) {
        return CodePage(table);
    }
    return std::nullopt;
}

std::span<const int> CodePage::supportedNumbers() {
    return kNumbers;
}

std::string CodePage::supportedNumbersText() {
    std::string text;
    for (const int n : kNumbers) {
        text += (text.empty() ? "" : ", ") + std::to_string(n);
    }
    return text;
}

int CodePage::number() const {
    return table_->number;
}

char32_t CodePage::toUnicode(unsigned char byte) const {
    return table_->characters[byte];
}

std::optional<unsigned char> CodePage::fromUnicode(char32_t c) const {
    if (c < 0x80) {
        return static_cast<unsigned char>(c);
    }
    const auto& reverse = table_->reverse;
    const auto it = std::lower_bound(reverse.begin(), reverse.end(), c,
                                     [](const auto& entry, char32_t v) { return entry.first < v; });
    if (it == reverse.end() || it->first != c) {
        return std::nullopt;
    }
    return it->second;
}

bool CodePage::isAssigned(unsigned char byte) const {
    return byte < 0x80 || table_->characters[byte] != code_page_data::unassignedCharacter(byte);
}

unsigned char CodePage::toUpper(unsigned char byte) const {
    return table_->upper[byte];
}

unsigned char CodePage::toLower(unsigned char byte) const {
    return table_->lower[byte];
}

const std::array<unsigned char, 256>& CodePage::upperTable() const {
    return table_->upper;
}

std::string CodePage::toUtf8(std::string_view bytes) const {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char ch : bytes) {
        appendUtf8(out, table_->characters[static_cast<unsigned char>(ch)]);
    }
    return out;
}

std::u16string CodePage::toUtf16(std::string_view bytes) const {
    std::u16string out(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out[i] = static_cast<char16_t>(table_->characters[static_cast<unsigned char>(bytes[i])]);
    }
    return out;
}

EncodeResult CodePage::fromUtf8(std::string_view utf8) const {
    EncodeResult result;
    result.bytes.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto c = nextUtf8(utf8, pos);
        if (!c) {
            return {"", EncodeFault::InvalidUtf8, 0};
        }
        const auto byte = fromUnicode(*c);
        if (!byte) {
            return {"", EncodeFault::MissingCharacter, *c};
        }
        result.bytes += static_cast<char>(*byte);
    }
    return result;
}

std::string codePointName(char32_t codePoint) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(codePoint));
    return buffer;
}

}  // namespace tarn
