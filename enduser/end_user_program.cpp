// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/end_user_program.h"

#include "common/text_lines.h"
#include "enduser/object_identity.h"
#include "enduser/resource_bundle.h"
#include "enduser/utf16_text.h"

namespace tarn {

Bytes buildEndUserProgram(const Bytes& patcher, const std::vector<ObjectFile>& files,
                          const EndUserOptions& options) {
    Bytes texts = writeObjectTexts(files, options.texts);
    if (readU32LE(texts.data()) == 0) {
        throw NoTextsError(
            options.texts.onlyId
                ? "No object file has a text with language ID " +
                      std::to_string(*options.texts.onlyId) +
                      ": the end-user program would change nothing. Choose a language ID that "
                      "the texts use, or all texts."
                : std::string("No object file has any text: the end-user program would change "
                              "nothing."));
    }
    std::vector<Resource> resources = messageTableResources(options.messages, options.yesChars);
    for (Resource& data : carriedDataResources(
             files, std::move(texts), options.exeTexts ? &*options.exeTexts : nullptr)) {
        resources.push_back(std::move(data));
    }
    return addResources(patcher, resources);
}

std::vector<Resource> carriedDataResources(const std::vector<ObjectFile>& files, Bytes objectTexts,
                                           const CarriedExeTexts* exeTexts) {
    Bytes identities = writeObjectIdentities(files, objectTexts);
    Bytes carriedExe = exeTexts != nullptr ? writeCarriedExeTexts(*exeTexts, objectTexts) : Bytes{};
    std::vector<Resource> resources = {
        {{kRawDataType, ResourceName::string(kObjectTextsName), 0}, std::move(objectTexts)},
        {{kRawDataType, ResourceName::string(kObjectIdentName), 0}, std::move(identities)}};
    if (exeTexts != nullptr) {
        resources.push_back(
            {{kRawDataType, ResourceName::string(kExeTextsName), 0}, std::move(carriedExe)});
    }
    return resources;
}

std::vector<Resource> messageTableResources(const MessageTexts& messages,
                                            const std::string& yesChars) {
    return {{{kStringTableType, ResourceName::number(kMessageTableName), 0},
             buildMessageTableBlock(messages, yesChars)},
            {{kStringTableType, ResourceName::number(kNextMessageTableName), 0},
             buildNextMessageTableBlock(messages)}};
}

MessageTexts parseMessageLines(const std::string& text) {
    std::vector<std::string> lines;
    for (const std::string_view line : textLines(text)) {
        lines.emplace_back(line);
    }
    if (lines.size() != kMessageCount && lines.size() != kFolderMessageCount &&
        lines.size() != kHeaderMessageCount && lines.size() != kBlockOneMessageCount &&
        lines.size() != kFirstMessageCount) {
        throw MessageTableError(
            "The messages file must have exactly 31 (or 25, 17, 15 or 11) lines; it has " +
            std::to_string(lines.size()));
    }
    MessageTexts messages = defaultMessages();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (!utf8ToUtf16(lines[k])) {
            throw MessageTableError("Line " + std::to_string(k + 1) +
                                    " of the messages file is not valid UTF-8 text");
        }
        messages[k] = currentWording(messageEntry(k), lines[k]);
    }
    return messages;
}

}  // namespace tarn
