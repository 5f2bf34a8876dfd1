// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/yes_set.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tarn {
namespace {

TEST(YesSet, OnlyTheFirstCharacterOfTheLineCountsInEitherCase) {
    const YesSet yes(u"y");
    EXPECT_TRUE(yes.answers("y"));
    EXPECT_TRUE(yes.answers("Y"));
    EXPECT_TRUE(yes.answers("yes"));
    EXPECT_FALSE(yes.answers("n"));
    EXPECT_FALSE(yes.answers("ny"));
    EXPECT_FALSE(yes.answers(""));
    EXPECT_FALSE(yes.answers(" y"));
}

TEST(YesSet, EmptyTextMeansExactlyYAndLowerCaseY) {
    const YesSet yes(u"");
    EXPECT_TRUE(yes.answers("Y"));
    EXPECT_TRUE(yes.answers("y"));
    EXPECT_FALSE(yes.answers("j"));
}

TEST(YesSet, AcceptsNonAsciiYesCharactersTypedInUtf8) {
    const YesSet yes(u"j\u00E4\u0434");  // j, a-umlaut, Cyrillic de
    EXPECT_TRUE(yes.answers("J"));
    EXPECT_TRUE(yes.answers("\xC3\x84"));  // capital A-umlaut
    EXPECT_TRUE(yes.answers("\xD0\x94"));  // capital De
    EXPECT_FALSE(yes.answers("y"));
    EXPECT_FALSE(yes.answers("4"));                  // the low byte of U+0434 is no answer
    EXPECT_TRUE(YesSet(u"\u00E4").answers("\xE4"));  // a Windows-1252 byte typed raw
}

TEST(YesSet, TheOfferedYesLetterIsTheFirstOfAClosingChoice) {
    const std::vector<std::pair<std::string, std::optional<char32_t>>> cases = {
        {"Continue? [Y/N]", U'Y'},
        {"Weiter? [j/n]  \r\n", U'j'},
        {"Kontynuowa\xC4\x87? (Tak/Nie)", U'T'},
        {"\xD0\x94\xD0\xB0\xD0\xBB\xD0\xB5\xD0\xB5? [\xD0\x94/\xD0\x9D]", U'\u0414'},
        {"No choice at all", std::nullopt},
        {"[Y/N] comes first here", std::nullopt},
        {"See the notes (above/below there)", std::nullopt},
        {"Odd [/N]", std::nullopt},
        {"Odd [Y/]", std::nullopt},
        {"Odd [Y/N/C]", std::nullopt},
        {"Unclosed Y/N]", std::nullopt},
    };
    for (const auto& [question, letter] : cases) {
        EXPECT_EQ(offeredYesLetter(question), letter) << question;
    }
}

TEST(YesSet, QuestionsOfferingLettersTheYesCharactersDoNotTakeAreFound) {
    MessageTexts messages = defaultMessages();
    // tT with the English questions: all five show Y, the restore questions (rows 11 and 18)
    // and the one of texts that do not fit the executable (row 27) included.
    EXPECT_EQ(questionsOfferingOtherAnswers(messages, "tT"),
              (std::vector<std::size_t>{2, 7, 11, 18, 27}));
    EXPECT_TRUE(questionsOfferingOtherAnswers(messages, "y").empty());
    EXPECT_TRUE(questionsOfferingOtherAnswers(messages, "").empty());  // empty means Y and y
    messages[2] = "Kontynuowa\xC4\x87? [T/N]";
    messages[7] = "Ignorowa\xC4\x87? (t/n)";
    messages[11] =
        "Przywr\xC3\xB3"
        "ci\xC4\x87? [Y/N]";
    messages[18] =
        "Przywr\xC3\xB3"
        "ci\xC4\x87 mimo to? [T/N]";
    messages[27] = "Kontynuowa\xC4\x87 tylko z plikami obiekt\xC3\xB3w? [T/N]";
    messages[8] = "Gotowe [Y/N]";  // not a question: never reported
    EXPECT_EQ(questionsOfferingOtherAnswers(messages, "tT"), (std::vector<std::size_t>{11}));
    EXPECT_EQ(questionsOfferingOtherAnswers(messages, "ty"), (std::vector<std::size_t>{}));
}

}  // namespace
}  // namespace tarn
