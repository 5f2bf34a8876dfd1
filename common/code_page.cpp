// SPDX-License-Identifier: GPL-3.0-or-later
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

// The byte that stores c in t (ASCII is itself everywhere), or nothing.
std::optional<unsigned char> storedByte(const FullTable& t, char32_t c) {
    if (c < 0x80) {
        return static_cast<unsigned char>(c);
    }
    const auto it = std::lower_bound(t.reverse.begin(), t.reverse.end(), c,
                                     [](const auto& entry, char32_t v) { return entry.first < v; });
    if (it == t.reverse.end() || it->first != c) {
        return std::nullopt;
    }
    return it->second;
}

// Never a character: sorts after every real one, so lookups skip it.
constexpr char32_t kNoCharacter = 0xFFFFFFFFu;

// base with characters placed over it. A character placed away from the byte the page has it
// on is stored only on its placed byte; the old byte keeps showing it (it is a game code, so
// it is never typed). Case pairs follow the page's, carried to where their letters now live.
FullTable placeOver(const FullTable& base, std::span<const CodePage::Placed> placed) {
    FullTable t = base;
    for (const CodePage::Placed& p : placed) {
        t.characters[p.byte] = p.character;
    }
    std::array<bool, 256> stored{};
    for (std::size_t i = 0; i < 128; ++i) {
        const auto byte = static_cast<unsigned char>(0x80 + i);
        t.reverse[i] = {t.characters[byte], byte};
    }
    for (const CodePage::Placed& p : placed) {
        for (auto& entry : t.reverse) {
            if (entry.first == p.character && entry.second != p.byte) {
                entry.first = kNoCharacter;
            }
        }
    }
    std::sort(t.reverse.begin(), t.reverse.end());
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        stored[byte] = storedByte(t, t.characters[byte]) == byte;
    }
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        t.upper[byte] = byte;
        t.lower[byte] = byte;
        const auto baseByte = storedByte(base, t.characters[byte]);
        if (!stored[byte] || !baseByte) {
            continue;
        }
        const auto caseForm = [&](unsigned char baseForm) {
            return storedByte(t, base.characters[baseForm]).value_or(byte);
        };
        t.upper[byte] = caseForm(base.upper[*baseByte]);
        t.lower[byte] = caseForm(base.lower[*baseByte]);
    }
    return t;
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

CodePage CodePage::withPlaced(std::span<const Placed> placed) const {
    const code_page_data::FullTable& base =
        placed_ ? *code_page_data::findTable(table_->number) : *table_;
    CodePage page(table_);
    page.placed_ =
        std::make_shared<const code_page_data::FullTable>(code_page_data::placeOver(base, placed));
    page.table_ = page.placed_.get();
    return page;
}

bool CodePage::hasPlaced() const {
    return placed_ != nullptr;
}

bool operator==(const CodePage& a, const CodePage& b) {
    return a.table_ == b.table_ ||
           (a.table_->number == b.table_->number && a.table_->characters == b.table_->characters);
}

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
    return code_page_data::storedByte(*table_, c);
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
