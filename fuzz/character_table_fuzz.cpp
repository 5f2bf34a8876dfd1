// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: any bytes read as a character table over any code page end in a sound table or in one
// problem naming its line, never in a crash; over a sound table every placed character shows
// and stores on its byte, every byte that is not a game code shows a character of its own that
// stores back on it, and every character shown stores somewhere (a game code's character on the
// byte it was placed on).
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "textcodes/character_table.h"
#include "textcodes/typed_codes.h"

using namespace tarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (const int number : CodePage::supportedNumbers()) {
        const CodePage page = *CodePage::byNumber(number);
        const CharacterTable table = readCharacterTable(input, page);
        if (!table.ok()) {
            FUZZ_CHECK(table.lines.empty());
            FUZZ_CHECK(table.error.rfind("line ", 0) == 0);
            continue;
        }
        const CodePage placed = table.over(page);
        for (const CharacterTable::Line& line : table.lines) {
            FUZZ_CHECK(placed.toUnicode(line.placed.byte) == line.placed.character);
            FUZZ_CHECK(placed.fromUnicode(line.placed.character) == line.placed.byte);
        }
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            if (!isCodeByte(byte)) {
                FUZZ_CHECK(placed.fromUnicode(placed.toUnicode(byte)) == byte);
            }
            FUZZ_CHECK(placed.fromUnicode(placed.toUnicode(byte)).has_value());
        }
    }
    return 0;
}
