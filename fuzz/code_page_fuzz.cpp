// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: in every code page, any bytes shown as UTF-8 convert back to the same bytes; any
// input read as UTF-8 either converts, and then shows as exactly that input again, or fails:
// as invalid UTF-8 only when the input is not UTF-8, and otherwise naming a character that the
// page really lacks and that occurs in the input. Nothing is half converted; nothing crashes.
// The fast validity check agrees with decoding character by character.
#include <string>
#include <string_view>

#include "common/code_page.h"
#include "common/utf8.h"
#include "fuzz/fuzz_check.h"

using namespace tarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(isValidUtf8(input) == (firstInvalidUtf8Line(input) == 0));
    for (const int number : CodePage::supportedNumbers()) {
        const CodePage page = *CodePage::byNumber(number);
        const EncodeResult back = page.fromUtf8(page.toUtf8(input));
        FUZZ_CHECK(back.ok() && back.bytes == input);
        FUZZ_CHECK(page.toUtf16(input).size() == input.size());

        const EncodeResult read = page.fromUtf8(input);
        switch (read.fault) {
            case EncodeFault::None:
                FUZZ_CHECK(page.toUtf8(read.bytes) == input);
                break;
            case EncodeFault::InvalidUtf8:
                FUZZ_CHECK(read.bytes.empty());
                FUZZ_CHECK(firstInvalidUtf8Line(input) != 0);
                break;
            case EncodeFault::MissingCharacter: {
                FUZZ_CHECK(read.bytes.empty());
                FUZZ_CHECK(!page.fromUnicode(read.missing));
                std::string character;
                appendUtf8(character, read.missing);
                FUZZ_CHECK(input.find(character) != std::string_view::npos);
                break;
            }
        }
    }
    return 0;
}
