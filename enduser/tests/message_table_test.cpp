#include "enduser/message_table.h"

#include <gtest/gtest.h>

#include "enduser/end_user_program.h"
#include "enduser/utf16_text.h"

namespace tarn {
namespace {

TEST(MessageTable, HoldsTheMessagesAroundTheYesCharacters) {
    MessageTexts messages = defaultMessages();
    messages[3] = "";
    messages[8] = "Alles in Ordnung \xE2\x82\xAC";
    messages[12] = "%1 Datei(en) wiederhergestellt";
    const Bytes block = buildMessageTableBlock(messages, "jJ");
    for (std::size_t row = 0; row < kMessageCount; ++row) {
        EXPECT_EQ(stringFromBlock(block, messageEntry(row)), *utf8ToUtf16(messages[row])) << row;
    }
    EXPECT_EQ(stringFromBlock(block, 11), u"jJ");
    EXPECT_EQ(stringFromBlock(block, 8), u"Alles in Ordnung \u20AC");
    EXPECT_EQ(stringFromBlock(block, 13), u"%1 Datei(en) wiederhergestellt");
    // Exactly one block of 16 entries: nothing follows entry 15.
    std::size_t expected = 2 * 16 + 2 * 2;
    for (const std::string& m : messages) {
        expected += 2 * utf8ToUtf16(m)->size();
    }
    EXPECT_EQ(block.size(), expected);
    EXPECT_EQ(readU16LE(block.data() + 0), defaultMessages()[0].size());
}

TEST(MessageTable, EveryMessageEntryHasAnEnglishDefault) {
    for (unsigned entry = 0; entry < 16; ++entry) {
        EXPECT_EQ(defaultMessage(entry).empty(), entry == kMsgYesChars) << entry;
    }
    EXPECT_EQ(defaultMessage(kMsgRestored), "%1 file(s) restored");
    EXPECT_EQ(defaultMessage(kMsgPressEnter), "Press ENTER to continue");
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

TEST(MessageTable, MessagesFileHoldsFifteenOrElevenUtf8Lines) {
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
    EXPECT_THROW(parseMessageLines("a\nb\n"), MessageTableError);
    EXPECT_THROW(parseMessageLines(eleven + "extra"), MessageTableError);
    EXPECT_THROW(parseMessageLines(eleven + "q\nr\ns\nt\nu"), MessageTableError);
    EXPECT_THROW(parseMessageLines("\xC3\n" + eleven.substr(4)), MessageTableError);
}

}  // namespace
}  // namespace tarn
