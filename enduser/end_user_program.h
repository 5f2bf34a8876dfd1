// SPDX-License-Identifier: GPL-3.0-or-later
// Building an end-user program: a copy of the TarnPatch executable with the message table and
// the OBJTEXTS data attached. tarntool and the builder window both call buildEndUserProgram.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "enduser/exe_texts_resource.h"
#include "enduser/message_table.h"
#include "enduser/object_texts.h"
#include "enduser/resource_bundle.h"
#include "objfiles/object_text_model.h"

namespace tarn {

struct EndUserOptions {
    MessageTexts messages = defaultMessages();  // UTF-8
    std::string yesChars = kDefaultYesChars;    // UTF-8
    ObjectTextsOptions texts;
    std::optional<CarriedExeTexts> exeTexts;  // the executable's texts and IDs, when carried
};

// A patch that would carry no text at all: it could change nothing on the player's side.
class NoTextsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of the end-user program. Raises MessageTableError or ObjectTextsLimitError (with a
// message naming the problem) for settings or models the attached layouts cannot hold,
// NoTextsError when no file has a text to carry (with onlyId: none of that language), and
// ResourceBundleError when patcher carries a damaged bundle; nothing is built then.
Bytes buildEndUserProgram(const Bytes& patcher, const std::vector<ObjectFile>& files,
                          const EndUserOptions& options);

// The message table's string-table blocks 1 and 2 as resources; raises MessageTableError.
std::vector<Resource> messageTableResources(const MessageTexts& messages,
                                            const std::string& yesChars);

// The carried data as resources: OBJTEXTS (writeObjectTexts of files) and OBJIDENT, the files'
// identities with the checksum over both, and with exeTexts EXETEXTS under its checksum and
// OBJTEXTS'.
std::vector<Resource> carriedDataResources(const std::vector<ObjectFile>& files, Bytes objectTexts,
                                           const CarriedExeTexts* exeTexts = nullptr);

// Reads the messages from a UTF-8 text of 31 lines (entries 0 to 10, then 12 to 31), of 25
// (entries 0 to 10, then 12 to 25), of 17
// (entries 0 to 10, then 12 to 17), of 15 (entries 0 to 10, then 12 to 15) or of 11 (entries 0
// to 10); messages the file leaves out keep their defaults, and a line equal to an earlier default
// takes the current one (currentWording). Lines end in LF or CR LF; a final line end is optional.
// Raises MessageTableError for another number of lines or malformed UTF-8.
MessageTexts parseMessageLines(const std::string& text);

}  // namespace tarn
