// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: formatMessage never crashes nor reads an insert that was not supplied, whatever the
// message holds; its result never exceeds the maximum length; an insert is never split across
// lines; no output line is longer than the width unless it holds an insert; and the console
// conversion takes any result, lone surrogates included.
#include <string>
#include <vector>

#include "enduser/message_formatter.h"
#include "fuzz/fuzz_check.h"
#include "platform/core/console.h"

using namespace tarn;

namespace {

// One byte of the input as one unit of the message; a few bytes stand for units that matter.
char16_t messageUnit(std::uint8_t byte) {
    switch (byte) {
        case 1:
            return u'\t';
        case 2:
            return u'\r';
        case 3:
            return u'\n';
        case 4:
            return 0xD800;  // surrogates, paired or lone
        case 6:
            return 0xDC00;
        default:
            return byte;
    }
}

char16_t insertCharacter(std::size_t k) {
    return static_cast<char16_t>(0x2600 + k);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // Byte 0: number of inserts (0..3); byte 1: the width (0 for none, else 1..80). The rest
    // is the message, one byte per unit (messageUnit). Insert k repeats a character of its own
    // that no message holds, 5 + 30 k times, so that a split insert shows in the output.
    const std::size_t insertCount = data[0] % 4;
    const std::size_t width = data[1] % 81;
    std::u16string text;
    for (std::size_t i = 2; i < size; ++i) {
        text.push_back(messageUnit(data[i]));
    }
    std::vector<std::u16string> inserts;
    for (std::size_t k = 0; k < insertCount; ++k) {
        inserts.push_back(std::u16string(5 + 30 * k, insertCharacter(k)));
    }
    const std::size_t maxLength = 1022;
    const auto result = formatMessage(text, inserts, width, maxLength);
    if (!result) {
        return 0;
    }
    platform::toConsoleText(*result);
    FUZZ_CHECK(result->size() <= maxLength);
    // Within a line, insert k's character comes in whole inserts only.
    for (std::size_t k = 0; k < insertCount; ++k) {
        std::size_t run = 0;
        for (std::size_t i = 0; i <= result->size(); ++i) {
            if (i < result->size() && (*result)[i] == insertCharacter(k)) {
                ++run;
            } else {
                FUZZ_CHECK(run % inserts[k].size() == 0);
                run = 0;
            }
        }
    }
    // Lines break as soon as they reach the width, except where an insert (never split) or
    // the text moved along with one makes them longer: a line over the width holds an insert.
    if (width > 0) {
        std::size_t lineLength = 0;
        bool holdsInsert = false;
        for (const char16_t c : *result) {
            if (c == u'\n' || c == u'\r') {
                lineLength = 0;
                holdsInsert = false;
                continue;
            }
            ++lineLength;
            holdsInsert = holdsInsert || (c >= insertCharacter(0) && c <= insertCharacter(3));
            FUZZ_CHECK(lineLength <= width || holdsInsert);
        }
    }
    return 0;
}
