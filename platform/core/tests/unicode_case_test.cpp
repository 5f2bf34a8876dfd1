// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/unicode_case.h"

#include <gtest/gtest.h>

#include "platform/core/console.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace tarn::platform {
namespace {

TEST(UnicodeCase, MapsLettersOfTheCoveredScriptsBothWays) {
    const std::pair<char32_t, char32_t> pairs[] = {{U'a', U'A'},   {0xE4, 0xC4},   {0xFF, 0x178},
                                                   {0x101, 0x100}, {0x13A, 0x139}, {0x17E, 0x17D},
                                                   {0x3B1, 0x391}, {0x430, 0x410}, {0x451, 0x401}};
    for (const auto& [lower, upper] : pairs) {
        EXPECT_EQ(std::uint32_t{simpleUpperCase(lower)}, std::uint32_t{upper})
            << std::uint32_t{lower};
        EXPECT_EQ(std::uint32_t{simpleLowerCase(upper)}, std::uint32_t{lower})
            << std::uint32_t{upper};
    }
    for (char32_t same :
         {U'1', U'_', char32_t{0xF7}, char32_t{0xD7}, char32_t{0xDF}, char32_t{0x4E00}}) {
        EXPECT_EQ(std::uint32_t{simpleUpperCase(same)}, std::uint32_t{same});
        EXPECT_EQ(std::uint32_t{simpleLowerCase(same)}, std::uint32_t{same});
    }
    EXPECT_EQ(upperCaseUtf8("objdata\xC3\xA4\xFF"), "OBJDATA\xC3\x84\xFF");
}

#ifdef _WIN32
// UTF-8 with CR LF, whatever the console's code page: a console gets it as wide characters.
TEST(Console, WritesUtf8WithCrLfAndKeepsBareCarriageReturns) {
    EXPECT_EQ(toConsoleText(u"a\u00E9\u201E\u0142\nb\rc"), "a\xC3\xA9\xE2\x80\x9E\xC5\x82\r\nb\rc");
    EXPECT_EQ(nativeToConsoleText("a\xC3\xA9\nb"), "a\xC3\xA9\r\nb");
}
#else
TEST(Console, WritesUtf8WithNativeLineEndsAndKeepsBareCarriageReturns) {
    EXPECT_EQ(toConsoleText(u"a\u00E9\r\nb\rc"), "a\xC3\xA9\r\nb\rc");
    EXPECT_EQ(toConsoleText(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(toConsoleText(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}
#endif

}  // namespace
}  // namespace tarn::platform
