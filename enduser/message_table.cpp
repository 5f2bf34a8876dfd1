#include "enduser/message_table.h"

#include "enduser/utf16_text.h"

namespace tarn {

const MessageTexts& defaultMessages() {
    static const MessageTexts messages = {
        "Cannot find new texts - the executable may be corrupt!",
        "The \"ObjData\" directory isn't found - make sure that you run this file from your Tarn "
        "directory!",
        "This program is going to modify some Tarn files so that they include texts needed for "
        "the translation to work. If you ever want to restore the original files (either because "
        "this program worked wrong or just to go back to the old state), you either have to "
        "reinstall the game or restore a backup copy of the ObjData directory made _before_ this "
        "program changes the files. Do you want to continue? [Y/N]",
        "Processing files, please be patient...",
        "Processing %1 (%2 file(s) left)",
        "The following error occured while trying to open %1:",
        "The following error occured while trying to save %1:",
        "Do you want to ignore the error and try to process the remaining files? [Y/N]",
        "All OK",
        "Processing finished with %1 error(s)",
        "Press ENTER to continue",
    };
    return messages;
}

namespace {

void appendEntry(Bytes& block, const std::string& utf8, const std::string& what) {
    const auto text = utf8ToUtf16(utf8);
    if (!text) {
        throw MessageTableError(what + " is not valid UTF-8 text");
    }
    if (text->size() > 0xFFFF) {
        throw MessageTableError(what + " is longer than 65535 characters");
    }
    const std::size_t at = block.size();
    block.resize(at + 2 + 2 * text->size());
    writeU16LE(block.data() + at, static_cast<std::uint16_t>(text->size()));
    for (std::size_t i = 0; i < text->size(); ++i) {
        writeU16LE(block.data() + at + 2 + 2 * i, (*text)[i]);
    }
}

}  // namespace

Bytes buildMessageTableBlock(const MessageTexts& messages, const std::string& yesChars) {
    Bytes block;
    for (std::size_t k = 0; k < messages.size(); ++k) {
        appendEntry(block, messages[k], "Message " + std::to_string(k));
    }
    appendEntry(block, yesChars, "The yes characters text");
    block.resize(block.size() + 2 * (kStringsPerBlock - kMessageCount - 1), 0);
    return block;
}

std::u16string stringFromBlock(const Bytes& block, unsigned index) {
    std::size_t pos = 0;
    for (unsigned i = 0; i < kStringsPerBlock && i <= index; ++i) {
        if (block.size() - pos < 2) {
            return {};
        }
        const std::size_t length = readU16LE(block.data() + pos);
        pos += 2;
        if (length > (block.size() - pos) / 2) {
            return {};
        }
        if (i == index) {
            std::u16string text(length, u'\0');
            for (std::size_t k = 0; k < length; ++k) {
                text[k] = readU16LE(block.data() + pos + 2 * k);
            }
            return text;
        }
        pos += 2 * length;
    }
    return {};
}

}  // namespace tarn
