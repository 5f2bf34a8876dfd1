// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: rawToCStyle of any bytes converts back with cStyleToRaw, to the same bytes when the
// pictures are well formed, unless a zero byte stands outside a picture (refused, as it would
// end the text); cStyleToRaw never crashes, fails only with one of the known messages, and when
// it succeeds the C-style form of its result converts back, to the same raw text whenever its
// pictures are well formed (as every \p makes them); the canonical form is a fixed point.
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "textcodes/code_table.h"
#include "textcodes/cstyle.h"

using namespace tarn;

namespace {

constexpr std::string_view kZeroByteRefused = "A text cannot hold the byte 00";

// Every picture code is followed by a minimal count (1..4 with a non-zero top byte, or 255)
// and all its value bytes.
bool picturesWellFormed(std::string_view raw) {
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (static_cast<std::uint8_t>(raw[i]) != kPictureCode) {
            continue;
        }
        if (i + 1 >= raw.size()) {
            return false;
        }
        const auto count = static_cast<std::uint8_t>(raw[i + 1]);
        if (count == kPictureZeroCount) {
            ++i;
            continue;
        }
        if (count < 1 || count > 4 || i + 1 + count >= raw.size() || raw[i + 1 + count] == '\0') {
            return false;
        }
        i += 1 + count;
    }
    return true;
}

bool knownError(const std::string& message) {
    static const std::string_view prefixes[] = {
        "Unmatched % sign at the end of the text",
        "Incorrect % sequence at position ",
        "Unmatched \\ sign at the end of the text",
        "\\x sequence without character number at the end of the text",
        "\\x sequence with invalid character number at position ",
        "\\p sequence without picture number at the end of the text",
        "\\p sequence with invalid picture number at position ",
        "\\c sequence without color specifier at the end of the text",
        "Invalid color specifier for \\c at position ",
        "Incorrect \\ sequence at position ",
        kZeroByteRefused,
    };
    for (std::string_view p : prefixes) {
        if (message.rfind(p, 0) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The same bytes as a raw text: rawToCStyle never fails, and its notation always converts
    // back, to the same bytes when the pictures are well formed.
    const std::string notation = rawToCStyle(text);
    if (const Converted<std::string> converted = cStyleToRaw(notation)) {
        FUZZ_CHECK(!picturesWellFormed(text) || converted.value() == text);
    } else {
        FUZZ_CHECK(converted.problem().message == kZeroByteRefused &&
                   text.find('\0') != std::string_view::npos);
    }

    const Converted<std::string> fromText = cStyleToRaw(text);
    if (!fromText) {
        FUZZ_CHECK(knownError(fromText.problem().message));
        return 0;
    }
    const std::string& raw = fromText.value();
    const std::string cstyle = rawToCStyle(raw);
    const Converted<std::string> converted = cStyleToRaw(cstyle);
    if (!converted) {
        // Only a picture code typed as \x17 can make a picture swallow bytes and show a zero.
        FUZZ_CHECK(converted.problem().message == kZeroByteRefused && !picturesWellFormed(raw));
        return 0;
    }
    const std::string& back = converted.value();
    if (picturesWellFormed(raw)) {
        FUZZ_CHECK(back == raw);
    }
    FUZZ_CHECK(rawToCStyle(back) == cstyle);
    return 0;
}
