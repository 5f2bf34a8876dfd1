// SPDX-License-Identifier: GPL-3.0-or-later
// The message table of the end-user program: string-table blocks of 16 entries each, attached
// as resource type 6 (string table), language 0; block n (name n) holds strings 16(n-1) to
// 16(n-1)+15.
//
//   entry i (i = 0..15, back to back):
//     u16 LE  length   number of UTF-16 code units that follow; 0 for an empty entry
//     u16 LE  text[length]   UTF-16LE code units, no terminator
//
// Block 1: entries 0 to 10 and 12 to 15 are the console messages, entry 11 the characters that
// answer "yes". Block 2: entries 16 to 31. Programs built before the backup existed leave
// entries 12 to 15 empty, those built before messages 16 and 17 carry no block 2, those built
// before messages 18 to 25 end block 2 at entry 17, and those built before messages 26 to 31
// leave those empty; the end-user program shows the English defaults then, and older end-user
// programs read the entries they know only.
// String ID i lies in block (i >> 4) + 1 at index i & 15.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "common/bytes.h"

namespace tarn {

// The console messages the translator edits, in table order: rows 0 to 10 are entries 0 to 10,
// rows 11 to 30 are entries 12 to 31 (messageEntry).
constexpr std::size_t kMessageCount = 31;
// The messages of programs built before the backup existed: entries 0 to 10.
constexpr std::size_t kFirstMessageCount = 11;
// The messages of programs built before messages 16 and 17: entries 0 to 10 and 12 to 15.
constexpr std::size_t kBlockOneMessageCount = 15;
// The messages of programs built before messages 18 to 25: entries 0 to 10 and 12 to 17.
constexpr std::size_t kHeaderMessageCount = 17;
// The messages of programs built before messages 26 to 31: entries 0 to 10 and 12 to 25.
constexpr std::size_t kFolderMessageCount = 25;
constexpr std::size_t kStringsPerBlock = 16;
constexpr std::uint16_t kStringTableType = 6;
constexpr std::uint16_t kMessageTableName = 1;
constexpr std::uint16_t kNextMessageTableName = 2;

// Message numbers of the end-user program; the inserts each takes are in brackets.
enum Message : unsigned {
    kMsgNoNewTexts = 0,
    kMsgNoObjData = 1,
    kMsgQuestion = 2,
    kMsgProcessing = 3,
    kMsgProgress = 4,   // %1 file name, %2 files left
    kMsgOpenError = 5,  // %1 path
    kMsgSaveError = 6,  // %1 path
    kMsgIgnoreError = 7,
    kMsgAllOk = 8,
    kMsgFinishedWithErrors = 9,  // %1 error count
    kMsgPressEnter = 10,
    kMsgYesChars = 11,
    kMsgRestoreQuestion = 12,
    kMsgRestored = 13,    // %1 number of files restored
    kMsgNoBackup = 14,    // %1 backup folder
    kMsgBackupKept = 15,  // %1 backup folder
    kMsgNothingChanged = 16,
    kMsgHeader = 17,             // replaces the built-in header above the dialogue
    kMsgChangedSincePatch = 18,  // %1 path
    kMsgRestoreAnyway = 19,
    kMsgNotTheObject = 20,  // %1 path, %2 what differs
    kMsgLink = 21,          // %1 path
    kMsgCaseTwins = 22,     // %1 path, %2 path
    kMsgUsage = 23,         // %1 program name
    kMsgDamagedData = 24,
    kMsgNoGameFiles = 25,
    kMsgExeDone = 26,        // %1 path, %2 texts written
    kMsgExeUnknown = 27,     // %1 path, %2 percent of the texts that are the translator's
    kMsgExeDoesNotFit = 28,  // %1 path, %2 why
    kMsgExeTextsKept = 29,   // %1 number of texts
    kMsgNoExe = 30,
    kMsgSeveralExes = 31,  // %1 the names, %2 program name
};

// The messages that ask a question the yes characters answer.
inline constexpr unsigned kQuestionMessages[] = {kMsgQuestion, kMsgIgnoreError, kMsgRestoreQuestion,
                                                 kMsgRestoreAnyway, kMsgExeDoesNotFit};

// The string ID of message row (0 to 30): entry 11, the yes characters, is not a message.
constexpr unsigned messageEntry(std::size_t row) {
    return static_cast<unsigned>(row < kFirstMessageCount ? row : row + 1);
}

// The console messages as UTF-8 texts, element k = message messageEntry(k).
using MessageTexts = std::array<std::string, kMessageCount>;

const MessageTexts& defaultMessages();
// The English default of a message entry (0 to 31); empty for entry 11.
const std::string& defaultMessage(unsigned entry);
// The message text to use for a stored one: a text equal to an earlier English default of its
// entry is that default's successor, anything else (a translator's wording) stays.
std::string currentWording(unsigned entry, std::string stored);
inline constexpr const char* kDefaultYesChars = "y";

// A text that does not fit the string-table block (malformed UTF-8, more than 65535 units).
class MessageTableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Block 1, the 16 entries of messages 0 to 15 and the yes characters (UTF-8 in, UTF-16 out).
Bytes buildMessageTableBlock(const MessageTexts& messages, const std::string& yesChars);
// Block 2, the 16 entries 16 to 31: messages 16 to 31.
Bytes buildNextMessageTableBlock(const MessageTexts& messages);

// Entry index (0 to 15) of a string-table block, as the Windows string loader reads it: empty
// for an index past a truncated block or a missing entry. Never reads outside the block.
std::u16string stringFromBlock(const Bytes& block, unsigned index);

}  // namespace tarn
