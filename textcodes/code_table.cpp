// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/code_table.h"

#include <algorithm>
#include <array>

namespace tarn {

namespace {

constexpr std::array<TextCode, 38> kTextCodes{{
    {5, "\\n", ""},
    {10, "\\t", ""},
    {14, "\\d", ""},
    {37, "%%", ""},
    {92, "\\\\", ""},
    {123, "%N", "4-byte number"},
    {124, "%n", "4-byte number w/o th seps"},
    {125, "%f", "Real value (with 2 decimal places)"},
    {126, "%W", "2-byte number"},
    {127, "%w", "2-byte number w/o th seps"},
    {128, "%M", "Money with 2 decimal places"},
    {129, "%m", "Money (integer)"},
    {130, "%s", "Another text"},
    {131, "%S", ""},
    {132, "%c", ""},
    {133, "%d", "Date"},
    {134, "%D", "Name of month"},
    {135, "%v", "Speed"},
    {136, "%e", "Drop 2 bytes"},
    {137, "%u", "Bring 2 bytes back"},
    {138, "%t", "Time (min sec)"},
    {139, "%T", "Time (hour min)"},
    {140, "%l", "Distance"},
    {141, "%p", "Picture"},
    {142, "\\c0", "Black"},
    {143, "\\c1", "Grey"},
    {144, "\\c2", "White"},
    {145, "\\c3", "Red"},
    {146, "\\c4", "Green"},
    {147, "\\c5", "Yellow"},
    {148, "\\c6", "Orange"},
    {149, "\\c7", "Light Green"},
    {150, "\\c8", "Light Blue"},
    {151, "\\c9", "Purple"},
    {152, "\\ca", "Brown"},
    {153, "\\cb", "Pink"},
    {154, "\\cc", "Aqua"},
    {155, "\\cd", "Light Brown"},
}};

// Index into kTextCodes by byte, -1 for bytes without a named code.
constexpr std::array<signed char, 256> makeIndex() {
    std::array<signed char, 256> index{};
    for (auto& i : index) {
        i = -1;
    }
    for (std::size_t i = 0; i < kTextCodes.size(); ++i) {
        index[kTextCodes[i].byte] = static_cast<signed char>(i);
    }
    return index;
}

constexpr std::array<signed char, 256> kIndex = makeIndex();

}  // namespace

std::span<const TextCode> textCodes() {
    return kTextCodes;
}

const TextCode* findTextCode(std::uint8_t byte) {
    const int i = kIndex[byte];
    return i < 0 ? nullptr : &kTextCodes[static_cast<std::size_t>(i)];
}

std::size_t readPicture(std::string_view raw, std::size_t at, std::uint32_t& number) {
    number = 0;
    std::size_t i = at + 1;
    if (i >= raw.size()) {
        return i;
    }
    const auto count = static_cast<std::uint8_t>(raw[i++]);
    if (count == 0 || count == kPictureZeroCount) {
        return i;
    }
    const std::size_t take = count > 4 ? 4 : count;
    for (std::size_t k = 0; k < take && i < raw.size(); ++k) {
        number |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(raw[i++])) << (8 * k);
    }
    return i;
}

void appendCompactPicture(std::string& raw, std::uint32_t number) {
    raw += static_cast<char>(kPictureCode);
    if (number == 0) {
        raw += static_cast<char>(kPictureZeroCount);
        return;
    }
    const int count = number <= 0xFF ? 1 : number <= 0xFFFF ? 2 : number <= 0xFFFFFF ? 3 : 4;
    raw += static_cast<char>(count);
    for (int i = 0; i < count; ++i) {
        raw += static_cast<char>((number >> (8 * i)) & 0xFF);
    }
}

std::size_t storedLength(std::string_view raw) {
    std::size_t length = 0;
    std::size_t i = 0;
    while (i < raw.size()) {
        ++length;
        if (static_cast<std::uint8_t>(raw[i++]) != kPictureCode || i >= raw.size()) {
            continue;
        }
        const auto count = static_cast<std::uint8_t>(raw[i++]);
        if (count >= 1 && count <= 4) {
            i += std::min<std::size_t>(count, raw.size() - i);
            length += 4;
        } else if (count == kPictureZeroCount) {
            length += 4;
        }
    }
    return length;
}

std::string expandPictures(std::string_view raw) {
    std::string out;
    out.reserve(raw.size() + 8);
    std::size_t i = 0;
    while (i < raw.size()) {
        const auto byte = static_cast<std::uint8_t>(raw[i++]);
        out += static_cast<char>(byte);
        if (byte != kPictureCode || i >= raw.size()) {
            continue;
        }
        const auto count = static_cast<std::uint8_t>(raw[i++]);
        if (count >= 1 && count <= 4) {
            for (int k = 0; k < count; ++k) {
                out += i < raw.size() ? raw[i++] : '\0';
            }
            out.append(4u - count, '\0');
        } else if (count == kPictureZeroCount) {
            out.append(4, '\0');
        }
    }
    return out;
}

bool hasZeroOutsidePictures(std::string_view raw) {
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(raw[i]);
        if (byte == 0) {
            return true;
        }
        if (byte == kPictureCode && i + 1 < raw.size()) {
            const auto count = static_cast<std::uint8_t>(raw[++i]);
            if (count >= 1 && count <= 4) {
                i += count;
            }
        }
    }
    return false;
}

std::string rawText(std::initializer_list<int> bytes) {
    std::string s;
    for (const int b : bytes) {
        s += static_cast<char>(b);
    }
    return s;
}

}  // namespace tarn
