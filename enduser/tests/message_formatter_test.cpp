// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/message_formatter.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

std::optional<std::u16string> fmt(std::u16string_view text,
                                  std::vector<std::u16string> inserts = {}) {
    return formatMessage(text, inserts);
}

TEST(MessageFormatter, FillsInsertsAndHandlesEscapes) {
    EXPECT_EQ(fmt(u"Processing %1 (%2 file(s) left)", {u"A.DAT", u"0"}),
              u"Processing A.DAT (0 file(s) left)");
    EXPECT_EQ(fmt(u"%1!s!-%2", {u"x", u"y"}), u"x-y");
    EXPECT_EQ(fmt(u"100%% %. %! %q"), u"100% . ! q");
    EXPECT_EQ(fmt(u"a%nb%rc"), u"a\nb\rc");
    EXPECT_EQ(fmt(u"cut%0 here"), u"cut");
    EXPECT_EQ(fmt(u"line1\r\nline2\rline3\nend"), u"line1 line2 line3 end");
    std::vector<std::u16string> ten(10);
    ten[9] = u"T";
    EXPECT_EQ(fmt(u"%100", ten), u"T0");
}

TEST(MessageFormatter, FailsInsteadOfReadingMissingInserts) {
    EXPECT_EQ(fmt(u"%1"), std::nullopt);
    EXPECT_EQ(fmt(u"%3", {u"a", u"b"}), std::nullopt);
    EXPECT_EQ(fmt(u"trailing %"), std::nullopt);
    EXPECT_EQ(fmt(u"%1!d!", {u"5"}), std::nullopt);
    EXPECT_EQ(fmt(u"%1!s", {u"5"}), std::nullopt);
    EXPECT_EQ(formatMessage(std::u16string(1023, u'a'), {}, 0), std::nullopt);
    EXPECT_TRUE(formatMessage(std::u16string(1022, u'a'), {}, 0).has_value());
}

TEST(MessageFormatter, WrapsAtTheLastSpaceOnceALineReachesEightyCharacters) {
    const std::u16string word(10, u'w');
    std::u16string text;
    for (int i = 0; i < 9; ++i) {
        text += word + u" ";
    }
    // 9 words of 10 plus spaces: the line reaches 80 inside the 8th word and breaks before it.
    const auto out = fmt(text + u"end");
    ASSERT_TRUE(out);
    const std::u16string expectedFirst = (word + u" ") + (word + u" ") + (word + u" ") +
                                         (word + u" ") + (word + u" ") + (word + u" ") + word;
    EXPECT_EQ(out->substr(0, out->find(u'\n')), expectedFirst);
    EXPECT_EQ(out->substr(out->find(u'\n') + 1), word + u" " + word + u" end");

    // No space: a hard break after exactly 80 characters, also at the very end.
    EXPECT_EQ(fmt(std::u16string(85, u'x')), std::u16string(80, u'x') + u"\n" + u"xxxxx");
    EXPECT_EQ(fmt(std::u16string(80, u'x')), std::u16string(80, u'x') + u"\n");
    // Several spaces before a break are dropped; the break point itself is removed.
    const auto spaced = fmt(std::u16string(70, u'a') + u"   " + std::u16string(10, u'b'));
    EXPECT_EQ(spaced, std::u16string(70, u'a') + u"\n" + std::u16string(10, u'b'));
}

TEST(MessageFormatter, NeverSplitsAnInsertAndBreaksAfterIt) {
    // Without a literal space on the line, the break comes where the insert ends.
    const std::u16string name(20, u'n');
    EXPECT_EQ(fmt(std::u16string(70, u'a') + u"%1", {name}),
              std::u16string(70, u'a') + name + u"\n");
    const std::u16string longName(100, u'n');
    EXPECT_EQ(fmt(u"%1 tail", {longName}), longName + u"\n tail");
    // Spaces inside an insert are no break points.
    EXPECT_EQ(fmt(std::u16string(40, u'a') + u"%1", {std::u16string(30, u'i') + u" " + name}),
              std::u16string(40, u'a') + std::u16string(30, u'i') + u" " + name + u"\n");
}

TEST(MessageFormatter, TextMovedToTheNextLineIsMeasuredWhenSomethingIsAdded) {
    // The break at the spaces moves both inserts to the next line, 100 units long; it breaks
    // again only at the next character, at its end since it has no literal space.
    const std::u16string i50(50, u'i');
    const std::u16string j50(50, u'j');
    EXPECT_EQ(fmt(u"A B %1%2C", {i50, j50}), u"A B\n" + i50 + j50 + u"C\n");
    // A space after a long insert is where the line breaks, and it is dropped.
    const std::u16string i100(100, u'i');
    EXPECT_EQ(fmt(u"short %1 long insert", {i100}), u"short\n" + i100 + u"\nlong insert");
}

TEST(MessageFormatter, LiteralTabsRightAfterABreakAreDropped) {
    const std::u16string a70(70, u'a');
    EXPECT_EQ(fmt(a70 + u" \t\t" + std::u16string(10, u'b')),
              a70 + u"\n" + std::u16string(10, u'b'));
    // Tabs that an insert brings stay.
    EXPECT_EQ(fmt(a70 + u" %1", {u"\t\ti" + std::u16string(10, u'i')}),
              a70 + u"\n\t\ti" + std::u16string(10, u'i'));
    // Tabs written after the break are the next line's own.
    EXPECT_EQ(fmt(std::u16string(79, u'a') + u" \t\tb"), std::u16string(79, u'a') + u"\n\t\tb");
}

TEST(MessageFormatter, AnEmptyResultIsAFailure) {
    EXPECT_FALSE(fmt(u""));
    EXPECT_FALSE(fmt(u"%0anything"));
    EXPECT_FALSE(fmt(u"%1", {u""}));
    EXPECT_EQ(fmt(u"x%0"), u"x");
}

TEST(MessageFormatter, TheDefaultQuestionComesOutInLinesOfAtMostEightyCharacters) {
    const std::u16string question =
        u"This program is going to modify some Tarn files so that they include texts needed for "
        u"the translation to work. If you ever want to restore the original files (either because "
        u"this program worked wrong or just to go back to the old state), you either have to "
        u"reinstall the game or restore a backup copy of the ObjData directory made _before_ this "
        u"program changes the files. Do you want to continue? [Y/N]";
    const auto out = fmt(question);
    ASSERT_TRUE(out);
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start <= out->size()) {
        const std::size_t end = std::min(out->find(u'\n', start), out->size());
        EXPECT_LT(end - start, 80u);
        ++lines;
        start = end + 1;
    }
    EXPECT_GE(lines, 5u);
    std::u16string joined = *out;
    std::replace(joined.begin(), joined.end(), u'\n', u' ');
    EXPECT_EQ(joined, question);
}

}  // namespace
}  // namespace tarn
