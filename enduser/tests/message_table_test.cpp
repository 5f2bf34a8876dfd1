// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/message_table.h"

#include <gtest/gtest.h>

#include "enduser/end_user_program.h"
#include "enduser/utf16_text.h"

namespace tarn {
namespace {

TEST(MessageTable, HoldsTheMessagesAroundTheYesCharactersInTwoBlocks) {
    MessageTexts messages = defaultMessages();
    messages[3] = "";
    messages[8] = "Alles in Ordnung \xE2\x82\xAC";
    messages[12] = "%1 Datei(en) wiederhergestellt";
    messages[16] = "Tarn-Objekttexte";
    const Bytes block = buildMessageTableBlock(messages, "jJ");
    const Bytes next = buildNextMessageTableBlock(messages);
    for (std::size_t row = 0; row < kMessageCount; ++row) {
        const unsigned entry = messageEntry(row);
        EXPECT_EQ(stringFromBlock(entry < 16 ? block : next, entry & 15),
                  *utf8ToUtf16(messages[row]))
            << row;
    }
    EXPECT_EQ(stringFromBlock(block, 11), u"jJ");
    EXPECT_EQ(stringFromBlock(block, 8), u"Alles in Ordnung \u20AC");
    EXPECT_EQ(stringFromBlock(block, 13), u"%1 Datei(en) wiederhergestellt");
    EXPECT_EQ(stringFromBlock(next, 1), u"Tarn-Objekttexte");
    // Each is one block of 16 entries: block 1 ends after entry 15, and block 2 holds
    // messages 16 to 31.
    std::size_t expected = 2 * 16 + 2 * 2;
    for (std::size_t row = 0; row < kBlockOneMessageCount; ++row) {
        expected += 2 * utf8ToUtf16(messages[row])->size();
    }
    EXPECT_EQ(block.size(), expected);
    EXPECT_EQ(readU16LE(block.data() + 0), defaultMessages()[0].size());
    std::size_t nextExpected = 2 * 16;
    for (std::size_t row = kBlockOneMessageCount; row < kMessageCount; ++row) {
        nextExpected += 2 * utf8ToUtf16(messages[row])->size();
    }
    EXPECT_EQ(next.size(), nextExpected);
}

TEST(MessageTable, EveryMessageEntryHasAnEnglishDefault) {
    for (unsigned entry = 0; entry < 26; ++entry) {
        EXPECT_EQ(defaultMessage(entry).empty(), entry == kMsgYesChars) << entry;
    }
    EXPECT_EQ(defaultMessage(kMsgRestored), "%1 file(s) restored");
    EXPECT_EQ(defaultMessage(kMsgPressEnter), "Press ENTER to continue");
    EXPECT_EQ(defaultMessage(kMsgNothingChanged), "Nothing was changed.");
    EXPECT_EQ(defaultMessage(kMsgHeader), "Tarn Object Text Changer");
    // The question speaks of the kept originals, not of reinstalling.
    EXPECT_NE(defaultMessage(kMsgQuestion).find("--restore"), std::string::npos);
    EXPECT_EQ(defaultMessage(kMsgQuestion).find("reinstall"), std::string::npos);
}

TEST(MessageTable, TheFormerDefaultQuestionTakesTheCurrentOneAndOwnWordingStays) {
    const std::string former =
        "This program is going to modify some Tarn files so that they include texts needed for "
        "the translation to work. If you ever want to restore the original files (either because "
        "this program worked wrong or just to go back to the old state), you either have to "
        "reinstall the game or restore a backup copy of the ObjData directory made _before_ this "
        "program changes the files. Do you want to continue? [Y/N]";
    EXPECT_EQ(currentWording(kMsgQuestion, former), defaultMessage(kMsgQuestion));
    EXPECT_EQ(currentWording(kMsgQuestion, former + " "), former + " ");
    EXPECT_EQ(currentWording(kMsgQuestion, "Weiter? [J/N]"), "Weiter? [J/N]");
    EXPECT_EQ(currentWording(kMsgIgnoreError, former), former);  // only message 2's own
}

TEST(MessageTable, LoadingFromATruncatedBlockGivesEmptyStringsNotOverreads) {
    const Bytes block = buildMessageTableBlock(defaultMessages(), "y");
    for (std::size_t cut = 0; cut < 300; ++cut) {
        const Bytes part(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(cut));
        const std::u16string first = stringFromBlock(part, 0);
        EXPECT_TRUE(first.empty() || first == *utf8ToUtf16(defaultMessages()[0]));
    }
    EXPECT_TRUE(stringFromBlock(block, 16).empty());
}

TEST(MessageTable, RefusesTextsItCannotHold) {
    EXPECT_THROW(buildMessageTableBlock(defaultMessages(), "\xFF"), MessageTableError);
    MessageTexts long_ = defaultMessages();
    long_[0] = std::string(70000, 'a');
    EXPECT_THROW(buildMessageTableBlock(long_, "y"), MessageTableError);
}

TEST(MessageTable, MessagesFileHoldsThirtyOneTwentyFiveSeventeenFifteenOrElevenUtf8Lines) {
    std::string eleven;
    for (int k = 0; k < 11; ++k) {
        eleven += "m" + std::to_string(k) + "\r\n";
    }
    EXPECT_EQ(parseMessageLines(eleven)[10], "m10");
    EXPECT_EQ(parseMessageLines(eleven.substr(0, eleven.size() - 2))[10], "m10");
    // Eleven lines leave the restore messages at their defaults.
    EXPECT_EQ(parseMessageLines(eleven)[12], defaultMessage(kMsgRestored));
    const MessageTexts fifteen = parseMessageLines(eleven + "q\nr\ns\nt");
    EXPECT_EQ(fifteen[10], "m10");
    EXPECT_EQ(fifteen[11], "q");
    EXPECT_EQ(fifteen[14], "t");
    EXPECT_EQ(fifteen[16], defaultMessage(kMsgHeader));
    const MessageTexts seventeen = parseMessageLines(eleven + "q\nr\ns\nt\nnichts\nKopf\n");
    EXPECT_EQ(seventeen[15], "nichts");
    EXPECT_EQ(seventeen[16], "Kopf");
    EXPECT_EQ(seventeen[18], defaultMessage(kMsgRestoreAnyway));
    const std::string twentyFive = eleven + "q\nr\ns\nt\nn\nk\n1\n2\n3\n4\n5\n6\n7\n8\n";
    EXPECT_EQ(parseMessageLines(twentyFive)[24], "8");
    EXPECT_EQ(parseMessageLines(twentyFive)[25], defaultMessage(kMsgExeDone));
    const MessageTexts all = parseMessageLines(twentyFive + "a\nb\nc\nd\ne\nf");
    EXPECT_EQ(all[25], "a");
    EXPECT_EQ(all[30], "f");
    EXPECT_THROW(parseMessageLines(twentyFive + "a\nb\nc\nd\ne"), MessageTableError);
    EXPECT_THROW(parseMessageLines(eleven + "q\nr\ns\nt\nn\nk\n1\n2\n3\n4\n5\n6\n7"),
                 MessageTableError);
    EXPECT_THROW(parseMessageLines("a\nb\n"), MessageTableError);
    EXPECT_THROW(parseMessageLines(eleven + "extra"), MessageTableError);
    EXPECT_THROW(parseMessageLines(eleven + "q\nr\ns\nt\nu"), MessageTableError);
    EXPECT_THROW(parseMessageLines(eleven + "q\nr\ns\nt\nu\nv\nw"), MessageTableError);
    EXPECT_THROW(parseMessageLines("\xC3\n" + eleven.substr(4)), MessageTableError);
}

}  // namespace
}  // namespace tarn
