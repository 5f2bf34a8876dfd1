// Proves: formatMessage never crashes nor reads an insert that was not supplied, whatever the
// message holds; its result never exceeds the maximum length; an insert is never split across
// lines; and when no insert is longer than a line, no output line is longer than the width.
#include <string>
#include <vector>

#include "enduser/message_formatter.h"
#include "fuzz/fuzz_check.h"

using namespace tarn;

namespace {

char16_t insertCharacter(std::size_t k) {
    return static_cast<char16_t>(0x2600 + k);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // Byte 0: number of inserts (0..3); byte 1: the width (0 for none, else 1..80). The rest
    // is the message, one byte per unit, with a few bytes standing for characters that
    // matter: 0x01 a tab, 0x02 a CR, 0x03 a LF. Insert k repeats a character of its own that
    // no message holds, 5 + 30 k times, so that a split insert shows in the output.
    const std::size_t insertCount = data[0] % 4;
    const std::size_t width = data[1] % 81;
    std::u16string text;
    for (std::size_t i = 2; i < size; ++i) {
        const char16_t c = data[i] == 1   ? u'\t'
                           : data[i] == 2 ? u'\r'
                           : data[i] == 3 ? u'\n'
                                          : data[i];
        text.push_back(c);
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
    bool insertsFit = width > 0;
    for (const std::u16string& insert : inserts) {
        insertsFit = insertsFit && insert.size() <= width &&
                     insert.find_first_of(u"\r\n") == std::u16string::npos;
    }
    if (insertsFit) {
        std::size_t lineLength = 0;
        for (const char16_t c : *result) {
            lineLength = (c == u'\n' || c == u'\r') ? 0 : lineLength + 1;
            FUZZ_CHECK(lineLength <= width);
        }
    }
    return 0;
}
