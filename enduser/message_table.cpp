// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/message_table.h"

#include "enduser/utf16_text.h"

namespace tarn {

const MessageTexts& defaultMessages() {
    static const MessageTexts messages = {
        "Cannot find new texts - the executable may be corrupt!",
        "The \"ObjData\" directory isn't found - make sure that you run this file from your Tarn "
        "directory!",
        "This program is going to modify some Tarn files so that they include texts needed for "
        "the translation to work. Before it changes a file for the first time, it keeps the "
        "original in the \"TarnPatch-backup\" directory; to put the original files back, run this "
        "program again with --restore. Do you want to continue? [Y/N]",
        "Processing files, please be patient...",
        "Processing %1 (%2 file(s) left)",
        "The following error occured while trying to open %1:",
        "The following error occured while trying to save %1:",
        "Do you want to ignore the error and try to process the remaining files? [Y/N]",
        "All OK",
        "Processing finished with %1 error(s)",
        "Press ENTER to continue",
        "This program is going to put back the original Tarn files that it kept before it "
        "changed them, undoing the translation. Do you want to continue? [Y/N]",
        "%1 file(s) restored",
        "No backup found - the \"%1\" directory with the original files does not exist.",
        "The original files are kept in the \"%1\" directory. To put them back, run this "
        "program again with --restore.",
        "Nothing was changed.",
        "Tarn Object Text Changer",
        "%1 has changed since this program wrote it, perhaps by an update of the game. Putting "
        "back the original undoes that change.",
        "Restore anyway? [Y/N]",
        "%1 is not the object this translation was made for (%2); it is left unchanged.",
        "%1 is a link; this program writes nothing through a link, so it is left unchanged.",
        "%1 and %2 differ only in letter case; neither of them is changed.",
        "Usage: %1 [--restore | --help]%n"
        "Without an option, puts the translated texts into the files of the \"ObjData\" "
        "directory.%n"
        "--restore puts back the original files kept in the \"TarnPatch-backup\" directory.%n"
        "--help shows this text.",
        "The program's own data is damaged - the executable may be corrupt! Nothing was "
        "changed.",
        "The \"ObjData\" directory holds none of the game's object files - make sure that you "
        "run this file from your Tarn directory!",
        "%1: %2 texts and the game's language were translated.",
        "%1 is not the game this translation was made for (only %2%% of its texts are the "
        "translator's originals: another version or language); it is left unchanged.",
        "The translated texts do not fit into %1 (%2); it is left unchanged. Do you want to go "
        "on with the object files only? [Y/N]",
        "%1 texts of your executable differ from the translator's original and were kept",
        "No game executable was found beside the \"ObjData\" directory; only the object files "
        "are changed.",
        "More than one game executable was found (%1); none of them is changed. To change one, "
        "name it: %2 FILE",
    };
    return messages;
}

const std::string& defaultMessage(unsigned entry) {
    static const std::string none;
    for (std::size_t row = 0; row < kMessageCount; ++row) {
        if (messageEntry(row) == entry) {
            return defaultMessages()[row];
        }
    }
    return none;
}

std::string currentWording(unsigned entry, std::string stored) {
    // The question of programs that kept no originals, which sent players to reinstall.
    static const std::string formerQuestion =
        "This program is going to modify some Tarn files so that they include texts needed for "
        "the translation to work. If you ever want to restore the original files (either because "
        "this program worked wrong or just to go back to the old state), you either have to "
        "reinstall the game or restore a backup copy of the ObjData directory made _before_ this "
        "program changes the files. Do you want to continue? [Y/N]";
    if (entry == kMsgQuestion && stored == formerQuestion) {
        return defaultMessage(entry);
    }
    return stored;
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
    auto appendMessages = [&](std::size_t from, std::size_t to) {
        for (std::size_t row = from; row < to; ++row) {
            appendEntry(block, messages[row], "Message " + std::to_string(messageEntry(row)));
        }
    };
    appendMessages(0, kFirstMessageCount);
    appendEntry(block, yesChars, "The yes characters text");
    appendMessages(kFirstMessageCount, kBlockOneMessageCount);
    return block;
}

Bytes buildNextMessageTableBlock(const MessageTexts& messages) {
    Bytes block;
    for (std::size_t row = kBlockOneMessageCount; row < kMessageCount; ++row) {
        appendEntry(block, messages[row], "Message " + std::to_string(messageEntry(row)));
    }
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
